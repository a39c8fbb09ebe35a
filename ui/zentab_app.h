// The application object: runs the main dialog and ends with it.
#pragma once

#include "winfx/app.h"

class CZentabApp : public winfx::App {
  public:
    bool InitInstance() override;
};

// The program's entry point hands control to the application object.
#include "winfx/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return winfx::RunApp();
}

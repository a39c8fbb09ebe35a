// The application object: one static instance per program, started by the
// entry point, which calls InitInstance and runs a message loop if asked to.
#pragma once

#include <windows.h>

#include <string>

#include "winfx/window.h"

namespace winfx {

class App {
  public:
    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App* Current();

    // Returns true when a message loop is to run after it.
    virtual bool InitInstance() = 0;

    HINSTANCE Instance() const;
    // The program's name, taken from its file name without the extension.
    const std::wstring& Name() const;
    Window* MainWindow() const { return m_mainWindow; }
    void SetMainWindow(Window* window) { m_mainWindow = window; }

  private:
    mutable std::wstring m_name;
    Window* m_mainWindow = nullptr;
};

// Runs the current application; the program's exit code.
int RunApp();

// The application name derived from a module path: "C:\\a\\Tool.EXE" gives "Tool".
std::wstring NameFromModulePath(const std::wstring& path);

}  // namespace winfx

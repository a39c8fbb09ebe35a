// The program's entry point hands control to the application object.
#include "winfx/app.h"
#include "winfx/dll_search.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    winfx::LoadDllsFromSystemOnly();
    return winfx::RunApp();
}

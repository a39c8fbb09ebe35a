// The one message loop of the program. Every dialog window registers here so
// that keyboard navigation (Tab, Enter, Esc, access keys) works in modeless
// dialogs as well as in the modal one that runs the loop.
#pragma once

#include <windows.h>

namespace winfx {

void RegisterDialogWindow(HWND dialog);
void UnregisterDialogWindow(HWND dialog);

// Gives the message to the dialog it belongs to; true when it was consumed.
bool RouteDialogMessage(MSG& message);

// Pumps messages until done becomes true or WM_QUIT arrives (which is posted
// again for the outer loop). Returns false on WM_QUIT.
bool PumpMessagesUntil(const bool& done);

// Pumps messages until WM_QUIT; its exit code.
int RunMessageLoop();

}  // namespace winfx

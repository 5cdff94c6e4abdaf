// The window thread's message handling, with the keyboard navigation of a
// dialog (Tab, arrow keys) between the controls of the main window.
#pragma once

#include <windows.h>

namespace pelrine {

// Handles the messages already queued, then returns. A quit request is left
// in the queue for the outer loop.
void ProcessPendingMessages(HWND dialog);

// Handles messages until the quit request; answers its exit code.
int RunMessageLoop(HWND dialog);

}  // namespace pelrine

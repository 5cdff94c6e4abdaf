// The window thread's message handling, with the keyboard navigation of a
// dialog (Tab, arrow keys) between the controls of the main window.
#pragma once

#include <windows.h>

#include "net/event_pump.h"

namespace pelrine {

// Handles the messages already queued, then returns. A quit request is left
// in the queue for the outer loop.
void ProcessPendingMessages(HWND dialog);

// Handles messages until the quit request; answers its exit code.
int RunMessageLoop(HWND dialog);

// The event pump of the window thread for the parts that wait on it, made
// before the main window exists and told of it afterwards.
class MessagePump final : public EventPump {
 public:
  void SetDialog(HWND dialog) { dialog_ = dialog; }
  void ProcessEvents() override { ProcessPendingMessages(dialog_); }

 private:
  HWND dialog_ = nullptr;
};

}  // namespace pelrine

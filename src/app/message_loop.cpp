#include "app/message_loop.h"

namespace pelrine {
namespace {

void Dispatch(HWND dialog, MSG& message) {
  if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

void ProcessPendingMessages(HWND dialog) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(dialog, message);
  }
}

int RunMessageLoop(HWND dialog) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(dialog, message);
  return static_cast<int>(message.wParam);
}

}  // namespace pelrine

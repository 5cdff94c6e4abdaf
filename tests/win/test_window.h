// A hidden message-only window for the Windows-side tests and the event
// pump that serves it: a message posted to the window is handled only while
// someone processes the thread's window events.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "net/event_pump.h"

namespace pelrine {

class TestWindow {
 public:
  explicit TestWindow(std::function<void()> on_message) : on_message_(std::move(on_message)) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClass;
    RegisterClassA(&window_class);  // fails harmlessly once the class exists
    window_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, this);
  }
  ~TestWindow() { DestroyWindow(window_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  void Post() const { PostMessageA(window_, WM_APP, 0, 0); }
  HWND handle() const { return window_; }

 private:
  static constexpr char kClass[] = "PelrineTestWindow";

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_APP && self) {
      self->on_message_();
      return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

  std::function<void()> on_message_;
  HWND window_;
};

// Dispatches every pending message of the thread, then runs `after`.
class MessagePump final : public EventPump {
 public:
  explicit MessagePump(std::function<void()> after = {}) : after_(std::move(after)) {}
  void ProcessEvents() override {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (after_) after_();
  }

 private:
  std::function<void()> after_;
};

}  // namespace pelrine

// The window object behind a top-level window: attached to its window at
// WM_NCCREATE, it receives every message in T::HandleMessage and is detached
// at WM_NCDESTROY. The object does not own the window; it must outlive it.
#pragma once

#include <windows.h>

namespace pelrine {

template <typename T>
class BaseWindow {
 public:
  HWND Window() const { return window_; }

 protected:
  BaseWindow() = default;
  ~BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  // Registers the class once per process (a second registration fails
  // harmlessly) and creates the window.
  bool CreateAs(const char* class_name, const char* title, DWORD style, int left, int top,
                int width, int height, HINSTANCE instance, HWND parent = nullptr,
                DWORD ex_style = WS_EX_CONTROLPARENT) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    RegisterClassExA(&window_class);
    return CreateWindowExA(ex_style, class_name, title, style, left, top, width, height, parent,
                           nullptr, instance, static_cast<T*>(this)) != nullptr;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    T* self;
    if (message == WM_NCCREATE) {
      self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    } else {
      self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      return DefWindowProcA(window, message, wparam, lparam);
    }
    try {
      return self->HandleMessage(message, wparam, lparam);
    } catch (...) {
      // Nothing may unwind through the system's frames; the message counts
      // as not handled.
      return DefWindowProcA(window, message, wparam, lparam);
    }
  }

  HWND window_ = nullptr;
};

}  // namespace pelrine

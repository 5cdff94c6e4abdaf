// Owners for the handles of the window side, beside the kernel and internet
// handles of net/handles_win32.h. Each is a std::unique_ptr with a deleter,
// so a handle is released exactly once, on every path.
#pragma once

#include <windows.h>
// (the headers below build on windows.h)
#include <shlobj.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "net/handles_win32.h"

namespace pelrine {

// A kernel handle from a call that reports failure as INVALID_HANDLE_VALUE.
inline UniqueHandle MakeFileHandle(HANDLE handle) {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Fonts, bitmaps, brushes and pens.
template <typename T>
struct GdiObjectDeleter {
  void operator()(T object) const { DeleteObject(object); }
};
template <typename T>
using gdi_object = std::unique_ptr<std::remove_pointer_t<T>, GdiObjectDeleter<T>>;

struct IconDestroyer {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using unique_icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// A memory device context from CreateCompatibleDC.
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using memory_dc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// A device context borrowed from a window with GetDC.
class window_dc {
 public:
  explicit window_dc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~window_dc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  window_dc(const window_dc&) = delete;
  window_dc& operator=(const window_dc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class selected_object {
 public:
  selected_object(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~selected_object() { SelectObject(dc_, previous_); }
  selected_object(const selected_object&) = delete;
  selected_object& operator=(const selected_object&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An item id list the shell allocated for us.
struct ShellMemoryFree {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using unique_id_list = std::unique_ptr<ITEMIDLIST, ShellMemoryFree>;

// COM (and OLE) for the calling thread, for as long as the object lives.
class ole_session {
 public:
  ole_session() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~ole_session() {
    if (ok_) OleUninitialize();
  }
  ole_session(const ole_session&) = delete;
  ole_session& operator=(const ole_session&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// A counted reference to a COM interface.
template <typename T>
class com_ptr {
 public:
  com_ptr() = default;
  // Takes over a reference the caller already holds.
  explicit com_ptr(T* pointer) : pointer_(pointer) {}
  com_ptr(const com_ptr& other) : pointer_(other.pointer_) {
    if (pointer_) pointer_->AddRef();
  }
  com_ptr(com_ptr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  com_ptr& operator=(com_ptr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~com_ptr() { reset(); }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  // For a call that returns a new reference through its last argument.
  T** put() {
    reset();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  // The same object's interface U, or none.
  template <typename U>
  com_ptr<U> as() const {
    com_ptr<U> result;
    if (pointer_) pointer_->QueryInterface(__uuidof(U), result.put_void());
    return result;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace pelrine

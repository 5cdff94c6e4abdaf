// An icon in the taskbar's notification area, removed when the object ends.
// Mouse events on it arrive at the window as `callback_message`, with the
// mouse message in the low word of lParam.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pelrine {

class TrayIcon {
 public:
  TrayIcon(HWND window, UINT callback_message, HICON icon, std::string_view tip);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Puts the icon back after the taskbar was created anew.
  void Restore();

 private:
  HWND window_;
  UINT callback_message_;
  HICON icon_;
  std::string tip_;
};

}  // namespace pelrine

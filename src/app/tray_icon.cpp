#include "app/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

namespace pelrine {
namespace {

constexpr UINT kIconId = 1;

NOTIFYICONDATAA IconData(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = window;
  data.uID = kIconId;
  return data;
}

}  // namespace

TrayIcon::TrayIcon(HWND window, UINT callback_message, HICON icon, std::string_view tip)
    : window_(window), callback_message_(callback_message), icon_(icon), tip_(tip) {
  Restore();
}

TrayIcon::~TrayIcon() {
  NOTIFYICONDATAA data = IconData(window_);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void TrayIcon::Restore() {
  NOTIFYICONDATAA data = IconData(window_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callback_message_;
  data.hIcon = icon_;
  std::copy_n(tip_.begin(), std::min(tip_.size(), sizeof data.szTip - 1), data.szTip);
  Shell_NotifyIconA(NIM_ADD, &data);
}

}  // namespace pelrine

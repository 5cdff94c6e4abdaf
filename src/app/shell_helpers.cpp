#include "app/shell_helpers.h"

#include <shellapi.h>
#include <shlobj.h>

#include "app/win32_handles.h"
#include "app/window_text.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The scheme of an address such as "http://x" or "mailto:x", lower-cased; ""
// when the address starts with a host (a "host:port" is no scheme).
std::string SchemeOf(std::string_view address) {
  if (address.empty() || !IsAsciiLetter(address.front())) return "";
  size_t end = 1;
  while (end < address.size() &&
         (IsAsciiLetter(address[end]) || IsAsciiDigit(address[end]) || address[end] == '+' ||
          address[end] == '-' || address[end] == '.'))
    ++end;
  if (end == address.size() || address[end] != ':') return "";
  if (end + 1 < address.size() && IsAsciiDigit(address[end + 1])) return "";
  return AsciiLower(address.substr(0, end));
}

int CALLBACK PreselectFolder(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

}  // namespace

void ChooseFolder(HWND edit_box) {
  const std::string start = WindowText(edit_box);
  BROWSEINFOA browse{};
  browse.hwndOwner = GetAncestor(edit_box, GA_ROOT);
  browse.lpszTitle = "请选择一个文件夹";
  browse.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  browse.lpfn = PreselectFolder;
  browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
  const unique_id_list chosen(SHBrowseForFolderA(&browse));
  if (!chosen) return;
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(chosen.get(), path)) return;
  const std::string_view trimmed = TrimBlanks(path);
  if (!trimmed.empty()) SetWindowTextA(edit_box, std::string(trimmed).c_str());
}

std::string ExplorerCommandLine(std::string_view path) {
  if (path.find('"') != std::string_view::npos) return "";
  std::string quoted = "\"";
  quoted.append(path).append("\"");
  if (path.size() >= 4 && AsciiLower(path.substr(path.size() - 4)) == ".exe") return quoted;
  return "explorer /n," + quoted;
}

void OpenFolderInExplorer(std::string_view path) {
  std::string command = ExplorerCommandLine(path);
  if (command.empty()) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return;
  UniqueHandle process(started.hProcess), thread(started.hThread);
}

std::string BrowserAddress(std::string_view address) {
  address = TrimBlanks(address);
  if (address.empty() || address.find('\\') != std::string_view::npos) return "";
  const std::string scheme = SchemeOf(address);
  if (scheme.empty()) return "http://" + std::string(address);
  if (scheme == "http" || scheme == "https") return std::string(address);
  return "";
}

void OpenInBrowser(std::string_view address) {
  const std::string shown = BrowserAddress(address);
  if (!shown.empty())
    ShellExecuteA(nullptr, "open", shown.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void BringToFront(HWND window, EventPump& events) {
  const bool was_on_top = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  events.ProcessEvents();
  if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  if (!was_on_top) SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
}

}  // namespace pelrine

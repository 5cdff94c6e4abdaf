#include "program_under_test.h"

#include <tlhelp32.h>

#include <algorithm>

#include "app/win32_handles.h"
#include "wait_until.h"

namespace e2e {
namespace {

constexpr char kTitlePrefix[] = "Pelrine v2.2";
constexpr UINT kAnswerTimeoutMs = 10000;

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchChildId(HWND child, LPARAM search) {
  auto& wanted = *reinterpret_cast<ChildSearch*>(search);
  if (GetDlgCtrlID(child) != wanted.id) return TRUE;
  wanted.found = child;
  return FALSE;
}

struct TopLevelSearch {
  DWORD process_id;
  std::string class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<TopLevelSearch*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == wanted.process_id && IsWindowVisible(window) &&
      (wanted.class_name.empty() || ClassOf(window) == wanted.class_name))
    wanted.found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND child, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
  return TRUE;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &result))
    return 0;
  return static_cast<LRESULT>(result);
}

}  // namespace

std::string WindowTextOf(HWND window) {
  if (!window) return "";
  const auto length = static_cast<size_t>(SendTo(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(length + 1, '\0');
  const auto copied = static_cast<size_t>(
      SendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(copied, length));
  return text;
}

bool ProcessRunning(const char* name) {
  const auto snapshot = pelrine::MakeFileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry))
    if (lstrcmpiA(entry.szExeFile, name) == 0) return true;
  return false;
}

ProgramUnderTest::~ProgramUnderTest() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
    TerminateProcess(process_.get(), 1);
}

bool ProgramUnderTest::Start(const std::string& path) {
  const std::string directory = path.substr(0, path.find_last_of('\\'));
  std::string command = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &started))
    return false;
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  process_id_ = started.dwProcessId;
  WaitForInputIdle(process_.get(), 30000);
  return WaitUntil(
      [this] {
        for (HWND window : WindowsOfClass("")) {
          char title[64] = "";
          GetWindowTextA(window, title, sizeof title);
          if (std::string_view(title).starts_with(kTitlePrefix)) {
            window_ = window;
            return true;
          }
        }
        return false;
      },
      60);
}

HWND ProgramUnderTest::Control(ControlId id) const {
  ChildSearch search{static_cast<int>(id), nullptr};
  EnumChildWindows(window_, MatchChildId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ProgramUnderTest::Text(ControlId id) const { return WindowTextOf(Control(id)); }

void ProgramUnderTest::Type(ControlId id, std::string_view text) const {
  const std::string value(text);
  SendTo(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void ProgramUnderTest::Click(ControlId id) const {
  HWND control = Control(id);
  if (ClassOf(control) == "Button")
    PostMessageA(control, BM_CLICK, 0, 0);
  else  // a picture box or hyperlink: a static control that notifies its parent
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(static_cast<int>(id), STN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

void ProgramUnderTest::Choose(ControlId id, int index) const {
  HWND control = Control(id);
  SendTo(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(static_cast<int>(id), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
}

bool ProgramUnderTest::Checked(ControlId id) const {
  return SendTo(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool ProgramUnderTest::Enabled(ControlId id) const { return IsWindowEnabled(Control(id)); }

bool ProgramUnderTest::Shown(ControlId id) const {
  return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

int ProgramUnderTest::Selection(ControlId id) const {
  return static_cast<int>(SendTo(Control(id), CB_GETCURSEL, 0, 0));
}

std::vector<HWND> ProgramUnderTest::WindowsOfClass(const char* class_name) const {
  TopLevelSearch search{process_id_, class_name, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ProgramUnderTest::WaitForMessageBox(MessageBoxSeen& seen, int seconds) const {
  if (!WaitUntil([&] { return !WindowsOfClass("#32770").empty(); }, seconds)) return false;
  seen.window = WindowsOfClass("#32770").front();
  seen.title = WindowTextOf(seen.window);
  // The message is the longest static text of the box (the icon is one too).
  std::vector<HWND> children;
  EnumChildWindows(seen.window, CollectChildren, reinterpret_cast<LPARAM>(&children));
  seen.text.clear();
  for (HWND child : children) {
    if (ClassOf(child) != "Static") continue;
    std::string text = WindowTextOf(child);
    if (text.size() > seen.text.size()) seen.text = std::move(text);
  }
  return true;
}

bool ProgramUnderTest::Answer(const MessageBoxSeen& box, int button) const {
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, button)));
  return WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, 30);
}

void ProgramUnderTest::Close() const { PostMessageA(window_, WM_CLOSE, 0, 0); }

bool ProgramUnderTest::WaitForExit(int seconds, DWORD& exit_code) {
  if (!process_ ||
      WaitForSingleObject(process_.get(), static_cast<DWORD>(seconds) * 1000) != WAIT_OBJECT_0)
    return false;
  GetExitCodeProcess(process_.get(), &exit_code);
  window_ = nullptr;
  return true;
}

bool ProgramUnderTest::SaveWindowPicture(HWND window, const std::string& path) const {
  // Let the window paint what it was just asked to show.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
  SendTo(window, WM_NULL, 0, 0);
  Sleep(500);
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  const pelrine::window_dc screen(nullptr);
  const pelrine::memory_dc memory(CreateCompatibleDC(screen.get()));
  const pelrine::gdi_object<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!memory || !bitmap) return false;
  {
    const pelrine::selected_object selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::string pixels(stride * static_cast<size_t>(height), '\0');
  if (!GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info,
                 DIB_RGB_COLORS))
    return false;

  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file_header.bfSize = static_cast<DWORD>(file_header.bfOffBits + pixels.size());
  const auto file = pelrine::MakeFileHandle(CreateFileA(
      path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), &file_header, sizeof file_header, &written, nullptr) &&
         WriteFile(file.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         WriteFile(file.get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written,
                   nullptr) &&
         written == pixels.size();
}

}  // namespace e2e

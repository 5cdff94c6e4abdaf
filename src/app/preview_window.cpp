#include "app/preview_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/help_page.h"

namespace pelrine {
namespace {

constexpr char kClassName[] = "PelrinePreviewWindow";
constexpr char kInitialTitle[] = "文章生成预览器";
constexpr char kHelpTitle[] = "操作帮助";
constexpr char kTemporaryPageName[] = "预览效果.htm";
constexpr int kTabsId = 1;
constexpr int kTextViewId = 2;
constexpr int kBrowserPage = 1;

// Pixels at 96 dots per inch to pixels on this screen.
int ScaledToScreen(int pixels) {
  window_dc screen(nullptr);
  return MulDiv(pixels, GetDeviceCaps(screen.get(), LOGPIXELSY), 96);
}

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Creates or replaces the file at `path` with `bytes`; true when the file was
// created, even if not every byte could be written.
bool CreatePageFile(const std::string& path, std::string_view bytes) {
  auto file = MakeFileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return true;
}

gdi_object<HFONT> MessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return gdi_object<HFONT>(CreateFontIndirectA(&metrics.lfMessageFont));
}

}  // namespace

PreviewWindow::PreviewWindow(BrowserViewFactory make_browser_view)
    : make_browser_view_(std::move(make_browser_view)) {}

PreviewWindow::~PreviewWindow() {
  if (Window()) DestroyWindow(Window());
}

void PreviewWindow::ShowPreview(HWND owner, std::string content, std::string directory,
                                const std::string& title) {
  preview_content_ = std::move(content);
  preview_directory_ = std::move(directory);
  if (!Open(owner)) return;
  SetWindowTextA(Window(), title.c_str());
  ShowPreviewContent();
}

void PreviewWindow::ShowHelpPage(HWND owner, const std::string& program_directory) {
  ShowPreview(owner, std::string(HelpPage()), program_directory + "\\", kHelpTitle);
}

bool PreviewWindow::Open(HWND owner) {
  if (Window()) {
    if (IsIconic(Window())) ShowWindow(Window(), SW_RESTORE);
    return true;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  if (!CreateAs(kClassName, kInitialTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                ScaledToScreen(50), ScaledToScreen(50), ScaledToScreen(529), ScaledToScreen(409),
                GetModuleHandleA(nullptr), owner, 0))
    return false;
  ShowWindow(Window(), SW_SHOWNORMAL);
  return true;
}

bool PreviewWindow::CreateChildren() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  tabs_ =
      CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                      0, 0, 0, 0, Window(), ControlId(kTabsId), instance, nullptr);
  text_view_ = CreateWindowExA(0, "EDIT", "",
                               WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                               0, 0, 0, 0, Window(), ControlId(kTextViewId), instance, nullptr);
  if (!tabs_ || !text_view_) return false;

  if (!font_) font_ = MessageFont();
  auto font = reinterpret_cast<WPARAM>(font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(tabs_, WM_SETFONT, font, FALSE);
  SendMessageA(text_view_, WM_SETFONT, font, FALSE);
  for (const char* page : {"文本模式", "网页模式"}) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(page);
    SendMessageA(tabs_, TCM_INSERTITEMA, SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0),
                 reinterpret_cast<LPARAM>(&item));
  }

  browser_view_ = make_browser_view_(Window(), [this] { DiscardTemporaryPage(); });
  // The views lie over the tab control's page area.
  SetWindowPos(text_view_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (browser_view_) {
    SetWindowPos(browser_view_->Window(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // A browser that renders makes the rendered page the first one shown.
  bool renders = browser_view_ && browser_view_->renders_pages();
  SendMessageA(tabs_, TCM_SETCURSEL, renders ? kBrowserPage : 0, 0);
  LayoutPreviewWindow();
  return true;
}

void PreviewWindow::ShowPreviewContent() {
  // A page left behind by an earlier showing goes first; the browser page
  // is read from a fresh one each time.
  DiscardTemporaryPage();
  bool browser_page = SendMessageA(tabs_, TCM_GETCURSEL, 0, 0) == kBrowserPage;
  ShowWindow(text_view_, browser_page ? SW_HIDE : SW_SHOW);
  if (browser_view_) ShowWindow(browser_view_->Window(), browser_page ? SW_SHOW : SW_HIDE);
  if (!browser_page) {
    SetWindowTextA(text_view_, preview_content_.c_str());
    return;
  }
  std::string path = preview_directory_ + kTemporaryPageName;
  if (CreatePageFile(path, preview_content_)) temporary_page_ = path;
  // The page stays on disk until the view has read it (DiscardTemporaryPage
  // runs from its loaded callback), the page changes, the window closes or
  // the next content arrives.
  if (browser_view_) browser_view_->Navigate(path);
}

void PreviewWindow::LayoutPreviewWindow() {
  if (!tabs_ || IsIconic(Window())) return;
  RECT client{};
  GetClientRect(Window(), &client);
  MoveWindow(tabs_, 0, 0, client.right, client.bottom, TRUE);
  RECT tab{};
  SendMessageA(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  int strip_height = tab.bottom;
  int width = std::max(0, static_cast<int>(client.right) - 1);
  int height = std::max(0, static_cast<int>(client.bottom) - strip_height - 4);
  MoveWindow(text_view_, 1, strip_height + 4, width, height, TRUE);
  if (browser_view_) MoveWindow(browser_view_->Window(), 1, strip_height + 4, width, height, TRUE);
}

void PreviewWindow::DiscardTemporaryPage() {
  if (temporary_page_.empty()) return;
  // A page still held open by a browser is kept and tried again next time.
  if (DeleteFileA(temporary_page_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
    temporary_page_.clear();
}

LRESULT PreviewWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return CreateChildren() ? 0 : -1;
    case WM_SIZE:
      LayoutPreviewWindow();
      return 0;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lparam);
      if (notice->hwndFrom == tabs_ && notice->code == TCN_SELCHANGE) {
        ShowPreviewContent();
        return 0;
      }
      break;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.get());
    case WM_CTLCOLORSTATIC:
      // The read-only text view keeps the look of a text box.
      if (reinterpret_cast<HWND>(lparam) == text_view_) {
        auto dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_DESTROY:
      // The view lets go of the page before it is deleted.
      browser_view_.reset();
      DiscardTemporaryPage();
      return 0;
    case WM_NCDESTROY:
      tabs_ = nullptr;
      text_view_ = nullptr;
      break;
  }
  return DefWindowProcA(Window(), message, wparam, lparam);
}

}  // namespace pelrine

#include "app/browser_view.h"

#include <shellapi.h>

#include <utility>

#include "app/base_window.h"
#include "app/web_browser_host.h"
#include "net/code_pages.h"

namespace pelrine {
namespace {

constexpr int kOpenButtonId = 1;

// The child window a view draws in; it passes its size changes and button
// clicks to whichever view owns it.
class BrowserPage final : public BaseWindow<BrowserPage> {
 public:
  std::function<void(int width, int height)> on_size;
  std::function<void()> on_button;

  bool Create(HWND parent) {
    return CreateAs("PelrineBrowserPage", "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0,
                    GetModuleHandleA(nullptr), parent, 0);
  }
  ~BrowserPage() {
    on_size = nullptr;
    on_button = nullptr;
    if (Window()) DestroyWindow(Window());
  }

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SIZE && on_size) {
      on_size(LOWORD(lparam), HIWORD(lparam));
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wparam) == kOpenButtonId && HIWORD(wparam) == BN_CLICKED &&
        on_button) {
      on_button();
      return 0;
    }
    return DefWindowProcA(Window(), message, wparam, lparam);
  }
};

class WebBrowserView final : public BrowserView {
 public:
  bool Create(HWND parent, std::function<void()> loaded) {
    if (!page_.Create(parent)) return false;
    host_ = WebBrowserHost::Create(page_.Window(), std::move(loaded));
    if (!host_) return false;
    page_.on_size = [this](int width, int height) { host_->Resize(width, height); };
    return true;
  }
  ~WebBrowserView() override {
    page_.on_size = nullptr;
    host_.reset();
  }

  HWND Window() const override { return page_.Window(); }
  bool renders_pages() const override { return true; }
  void Navigate(const std::string& path) override { host_->Navigate(GbkToWide(path)); }

 private:
  BrowserPage page_;
  std::unique_ptr<WebBrowserHost> host_;
};

// Shown where the system has no browser control: a plain message and a
// button that opens the page in the user's default browser.
class FallbackView final : public BrowserView {
 public:
  explicit FallbackView(std::function<void(const std::string&)> open_in_browser)
      : open_in_browser_(std::move(open_in_browser)) {}

  bool Create(HWND parent) {
    if (!page_.Create(parent)) return false;
    auto font = static_cast<WPARAM>(SendMessageA(parent, WM_GETFONT, 0, 0));
    message_ =
        CreateWindowExA(0, "STATIC", "这台电脑上没有可用的网页浏览控件，无法在这里显示网页效果。",
                        WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, page_.Window(), nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    button_ = CreateWindowExA(
        0, "BUTTON", "用默认浏览器打开", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 0, 0,
        0, page_.Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOpenButtonId)),
        GetModuleHandleA(nullptr), nullptr);
    if (!message_ || !button_) return false;
    SendMessageA(message_, WM_SETFONT, font, FALSE);
    SendMessageA(button_, WM_SETFONT, font, FALSE);
    page_.on_size = [this](int width, int height) { Layout(width, height); };
    page_.on_button = [this] {
      if (!path_.empty()) open_in_browser_(path_);
    };
    return true;
  }

  HWND Window() const override { return page_.Window(); }
  bool renders_pages() const override { return false; }
  void Navigate(const std::string& path) override {
    path_ = path;
    EnableWindow(button_, TRUE);
  }

 private:
  void Layout(int width, int height) {
    constexpr int kMargin = 12, kButtonWidth = 160, kButtonHeight = 28;
    int message_height = height / 3 < 40 ? height / 3 : 40;
    MoveWindow(message_, kMargin, kMargin, width - 2 * kMargin, message_height, TRUE);
    MoveWindow(button_, kMargin, kMargin * 2 + message_height, kButtonWidth, kButtonHeight, TRUE);
  }

  std::function<void(const std::string&)> open_in_browser_;
  BrowserPage page_;
  HWND message_ = nullptr;
  HWND button_ = nullptr;
  std::string path_;
};

}  // namespace

void OpenPageInDefaultBrowser(const std::string& path) {
  SHELLEXECUTEINFOA open{};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.lpVerb = "open";
  open.lpFile = path.c_str();
  open.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExA(&open) || reinterpret_cast<INT_PTR>(open.hInstApp) != SE_ERR_NOASSOC) return;
  // Without an association for the file's extension (as under Wine without
  // its browser engine), the system's class for HTML files opens it.
  open.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_CLASSNAME;
  open.lpClass = "htmlfile";
  ShellExecuteExA(&open);
}

BrowserViewFactory SystemBrowserView(std::function<void(const std::string& path)> open_in_browser) {
  return [open_in_browser = std::move(open_in_browser)](
             HWND parent, std::function<void()> loaded) -> std::unique_ptr<BrowserView> {
    auto browser = std::make_unique<WebBrowserView>();
    if (browser->Create(parent, std::move(loaded))) return browser;
    browser.reset();
    auto fallback = std::make_unique<FallbackView>(open_in_browser);
    if (fallback->Create(parent)) return fallback;
    return nullptr;
  };
}

}  // namespace pelrine

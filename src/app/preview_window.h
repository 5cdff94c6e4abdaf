// The preview window: one HTML text shown as plain text on the page
// "文本模式" and rendered by a browser view on the page "网页模式". The main
// window owns one PreviewWindow for the life of the process; its window is
// made on the first request, reused while open, and made anew after closing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/base_window.h"
#include "app/browser_view.h"
#include "app/win32_handles.h"

namespace pelrine {

class PreviewWindow final : public BaseWindow<PreviewWindow> {
 public:
  explicit PreviewWindow(BrowserViewFactory make_browser_view);
  ~PreviewWindow();

  // Shows an article: opens the window owned by `owner` (not modal), or
  // uses the open one, titles it `title` and shows `content` in the current
  // page. The browser view reads it from a temporary page in `directory`
  // (which ends in "\"), so relative picture paths resolve there.
  void ShowPreview(HWND owner, std::string content, std::string directory,
                   const std::string& title);
  // The help page in the same way, titled "操作帮助", its temporary page in
  // `program_directory` (given without the final "\").
  void ShowHelpPage(HWND owner, const std::string& program_directory);

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  bool Open(HWND owner);
  bool CreateChildren();
  void ShowPreviewContent();
  void LayoutPreviewWindow();
  // Deletes the temporary page, if one is on disk.
  void DiscardTemporaryPage();

  BrowserViewFactory make_browser_view_;
  std::string preview_content_;
  std::string preview_directory_;
  std::string temporary_page_;  // path of the page on disk, "" when none
  gdi_object<HFONT> font_;
  HWND tabs_ = nullptr;
  HWND text_view_ = nullptr;
  std::unique_ptr<BrowserView> browser_view_;
};

}  // namespace pelrine

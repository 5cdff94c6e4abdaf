// The browser page of the preview window: a child window that shows a local
// HTML file and says when it has read it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace pelrine {

class BrowserView {
 public:
  virtual ~BrowserView() = default;
  // The view's child window, which the preview window places and shows.
  virtual HWND Window() const = 0;
  // False when the view cannot render pages itself.
  virtual bool renders_pages() const = 0;
  // Shows the HTML file at `path` (GBK); the view's `loaded` callback runs
  // once the document has been read.
  virtual void Navigate(const std::string& path) = 0;
};

// Makes the view as a child of `parent`, with the callback for read documents.
using BrowserViewFactory =
    std::function<std::unique_ptr<BrowserView>(HWND parent, std::function<void()> loaded)>;

// Opens a local HTML file in the user's default browser (the shell's "open").
void OpenPageInDefaultBrowser(const std::string& path);

// The system's WebBrowser control; where it cannot be created, a page with a
// plain message and a button that hands the file's path to `open_in_browser`.
BrowserViewFactory SystemBrowserView(
    std::function<void(const std::string& path)> open_in_browser = OpenPageInDefaultBrowser);

}  // namespace pelrine

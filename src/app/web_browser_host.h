// The system WebBrowser control, active in place inside a window of ours
// through a minimal OLE container of our own.
#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ocidl.h>

#include <functional>
#include <memory>
#include <string>

#include "app/win32_handles.h"

namespace pelrine {

class ContainerSite;

class WebBrowserHost {
 public:
  // Null when the thread cannot use OLE, no browser engine is installed or
  // the control fails to start. `document_complete` runs for every document
  // the control has read.
  static std::unique_ptr<WebBrowserHost> Create(HWND container,
                                                std::function<void()> document_complete);
  ~WebBrowserHost();
  WebBrowserHost(const WebBrowserHost&) = delete;
  WebBrowserHost& operator=(const WebBrowserHost&) = delete;

  void Navigate(const std::wstring& url);
  // Makes the control fill a container client area of this size.
  void Resize(int width, int height);

 private:
  WebBrowserHost() = default;
  bool Start(HWND container, std::function<void()> document_complete);

  ole_session ole_;
  com_ptr<ContainerSite> site_;
  com_ptr<IOleObject> control_;
  com_ptr<IWebBrowser2> browser_;
  com_ptr<IConnectionPoint> events_;
  DWORD events_cookie_ = 0;
};

}  // namespace pelrine

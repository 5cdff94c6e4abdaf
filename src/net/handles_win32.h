// Owners of the Windows handles of the transport: each closes its handle
// once, when it goes out of scope or is reset.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>

namespace pelrine {

struct InternetCloser {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// For handles that are null on failure (threads, events); not for files.
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace pelrine

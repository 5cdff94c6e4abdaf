#include "net/handles_win32.h"

#include <windows.h>
// after windows.h
#include <wininet.h>

namespace pelrine {

void InternetCloser::operator()(void* handle) const { InternetCloseHandle(handle); }

void HandleCloser::operator()(void* handle) const { CloseHandle(handle); }

}  // namespace pelrine

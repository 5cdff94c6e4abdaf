// Reading a window's text as GBK bytes.
#pragma once

#include <windows.h>

#include <string>

namespace pelrine {

// The whole text of a window or control ("" for none).
std::string WindowText(HWND window);

}  // namespace pelrine

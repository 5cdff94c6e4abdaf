// Conversions between the program's GBK text and the other encodings it
// meets. The Windows build uses the system's code-page functions
// (code_pages_win32.cpp), the native build iconv (code_pages_posix.cpp); both
// give the same bytes for the same input, invalid input included.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// GBK (code page 936) to wide text; invalid or truncated sequences become
// U+FFFD... as stated in the tests' shared case table.
std::wstring GbkToWide(std::string_view gbk);

// Wide text to GBK; characters GBK cannot hold become "?".
std::string WideToGbk(std::wstring_view wide);

// The UTF-8 bytes of a GBK text; "" for "".
std::string GbkToUtf8(std::string_view gbk);

// GBK text from UTF-8 bytes, ending before the first zero byte of the
// result; invalid sequences come out as the replacement the tables state.
std::string Utf8ToGbk(std::string_view utf8);

// GBK text from Big5 text, traditional characters mapped to simplified ones;
// the result ends before the first character GBK cannot hold.
std::string Big5ToSimplifiedGbk(std::string_view big5);

}  // namespace pelrine

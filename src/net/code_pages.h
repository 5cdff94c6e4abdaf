// Conversions between the program's GBK text and the other encodings it
// meets. The Windows build uses the system's code-page functions
// (code_pages_win32.cpp), the native build iconv plus the few mappings the
// system adds to it (code_pages_posix.cpp); both give the same bytes for the
// same input, broken input included.
//
// Broken multi-byte input, as the system's functions decode it:
// - GBK and Big5: a lead byte (0x81-0xFE) and the byte after it form one
//   character unless that byte is zero or missing; a pair that maps to
//   nothing, a lone lead byte and a lead byte before a zero become U+003F
//   ("?"). So a lead byte swallows the byte after it, even ASCII.
// - UTF-8: each broken sequence becomes one U+FFFD; a sequence cut off by the
//   end of the input takes the rest of the input with it ("a\xE4\x41" gives
//   "a" and U+FFFD).
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// GBK (code page 936) to wide text, every byte (zero bytes too).
std::wstring GbkToWide(std::string_view gbk);

// Wide text to GBK, every character; a character GBK cannot hold becomes its
// nearest GBK look-alike where the system has one (U+00B2, superscript two,
// gives "2"), else "?".
std::string WideToGbk(std::wstring_view wide);

// The UTF-8 bytes of a GBK text, which ends at its first zero byte; "" for "".
std::string GbkToUtf8(std::string_view gbk);

// GBK text from all the UTF-8 bytes, ending before the first zero byte of the
// result. With `compose`, a letter followed by a combining accent becomes the
// accented GBK letter where GBK has it (a page fetch converts without);
// characters GBK cannot hold become "?" as in WideToGbk, U+FFFD among them.
std::string Utf8ToGbk(std::string_view utf8, bool compose = true);

// GBK text from Big5 text (which ends at its first zero byte), traditional
// characters mapped to simplified ones as far as the system does it (Wine
// keeps them; only the CJK compatibility ideographs become their unified
// forms). The result ends before the first character GBK cannot hold.
std::string Big5ToSimplifiedGbk(std::string_view big5);

}  // namespace pelrine

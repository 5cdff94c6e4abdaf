// Byte-level helpers for GBK text. A position is a 0-based byte index; every
// search here matches only at a character boundary, stepping over both bytes
// of a double-byte character, and ignoring case folds only ASCII A-Z.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelrine {

// True for the first byte of a double-byte GBK character (0x81-0xFE).
inline bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// True for the second byte of a double-byte GBK character (0x40-0xFE but 0x7F).
inline bool IsGbkTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Length of the character that starts at `at`: 2 for a lead byte followed by
// a trail byte, else 1 (a lone or broken lead byte counts as one character,
// so it never swallows the ASCII byte after it).
inline size_t GbkCharLength(std::string_view text, size_t at) {
  return IsGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() &&
                 IsGbkTrailByte(static_cast<unsigned char>(text[at + 1]))
             ? 2
             : 1;
}

// A text ends at its first zero byte: the part of `bytes` before it.
inline std::string_view TextBeforeZero(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

std::string AsciiLower(std::string_view text);

// First `needle` starting at a character boundary at or after `from`, which
// must itself be a boundary (as every position these helpers return is).
// An empty needle is found at `from`. npos when there is none.
size_t FindOnCharBoundary(std::string_view text, std::string_view needle, size_t from = 0,
                          bool ignore_case = false);

// Whether `needle` stands in `text` on a character boundary, ignoring the
// case of ASCII letters.
inline bool ContainsIgnoringCase(std::string_view text, std::string_view needle) {
  return FindOnCharBoundary(text, needle, 0, true) != std::string_view::npos;
}

// Last `needle` starting at a character boundary that ends at or before
// `end`; npos when there is none. Reads back from `end` no further than the
// start of the run of lead-range bytes (0x81-0xFE) in which the match begins.
size_t FindLastOnCharBoundary(std::string_view text, std::string_view needle,
                              size_t end = std::string_view::npos, bool ignore_case = false);

// Every `find` replaced by `replacement`, left to right, not rescanning the
// replacement. An empty `find` leaves the text as it is.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       bool ignore_case = false);

// The pieces between the delimiters: an empty piece before a delimiter is
// kept, an empty piece after the last one is dropped, an empty text gives no
// pieces. An empty delimiter gives the whole text as one piece.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// The leading integer of a control's text ("12abc" is 12, "abc" is 0, "-3" is -3).
long long LeadingInteger(std::string_view text);

}  // namespace pelrine

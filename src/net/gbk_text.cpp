#include "net/gbk_text.h"

#include <limits>

namespace pelrine {
namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesAt(std::string_view text, size_t at, std::string_view needle, bool ignore_case) {
  if (needle.size() > text.size() - at) return false;
  if (!ignore_case)
    return needle.empty() ||
           (text[at] == needle[0] && text.compare(at, needle.size(), needle) == 0);
  for (size_t i = 0; i < needle.size(); ++i)
    if (FoldAscii(text[at + i]) != FoldAscii(needle[i])) return false;
  return true;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = FoldAscii(c);
  return lower;
}

size_t FindOnCharBoundary(std::string_view text, std::string_view needle, size_t from,
                          bool ignore_case) {
  if (from > text.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  for (size_t at = from; at + needle.size() <= text.size(); at += GbkCharLength(text, at))
    if (MatchesAt(text, at, needle, ignore_case)) return at;
  return std::string_view::npos;
}

// Reads backwards one stretch at a time, so that a search reads only from
// `end` back to the stretch of its match. A byte outside the lead range always
// ends a character, so a stretch begins after such a byte (or at the start)
// and holds only lead-range bytes before its last position: inside it a
// character starts at every even distance from its beginning, and at an odd
// distance only where the byte cannot trail the one before.
size_t FindLastOnCharBoundary(std::string_view text, std::string_view needle, size_t end,
                              bool ignore_case) {
  if (end > text.size()) end = text.size();
  if (needle.size() > end) return std::string_view::npos;
  for (size_t last = end - needle.size();;) {
    size_t start = last;
    while (start > 0 && IsGbkLeadByte(static_cast<unsigned char>(text[start - 1]))) --start;
    for (size_t at = last + 1; at-- > start;) {
      bool boundary = (at - start) % 2 == 0 || at == text.size() ||
                      !IsGbkTrailByte(static_cast<unsigned char>(text[at]));
      if (boundary && MatchesAt(text, at, needle, ignore_case)) return at;
    }
    if (start == 0) return std::string_view::npos;
    last = start - 1;
  }
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       bool ignore_case) {
  if (find.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t copied = 0;
  for (size_t at = FindOnCharBoundary(text, find, 0, ignore_case); at != std::string_view::npos;
       at = FindOnCharBoundary(text, find, copied, ignore_case)) {
    result.append(text, copied, at - copied).append(replacement);
    copied = at + find.size();
  }
  result.append(text, copied);
  return result;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) return {std::string(text)};
  size_t start = 0;
  for (size_t at = FindOnCharBoundary(text, delimiter); at != std::string_view::npos;
       at = FindOnCharBoundary(text, delimiter, start)) {
    pieces.emplace_back(text.substr(start, at - start));
    start = at + delimiter.size();
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
}

long long LeadingInteger(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  long long value = 0;
  constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 9;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
    if (value < kLimit) value = value * 10 + (text[at] - '0');
  return negative ? -value : value;
}

}  // namespace pelrine

// TextBetween walks in both directions over arbitrary text and markers, and
// the backward boundary search against a plain scan from the start.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "guang/text_between.h"
#include "net/gbk_text.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

// The last boundary match by stepping through every character from the start.
size_t PlainFindLast(std::string_view text, std::string_view needle, size_t end) {
  size_t last = std::string_view::npos;
  for (size_t at = 0; at + needle.size() <= end; at += pelrine::GbkCharLength(text, at)) {
    if (pelrine::AsciiLower(text.substr(at, needle.size())) == pelrine::AsciiLower(needle))
      last = at;
    if (at == text.size()) break;
  }
  return last;
}

}  // namespace

// Input: a byte of flags, a byte of shifts, two markers ended by 0x00 each,
// then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pelrine;
  if (size < 2) return 0;
  const bool expand_quotes = data[0] & 1;
  const int left_shift = (data[1] & 0x0F) - 8;
  const int right_shift = (data[1] >> 4) - 8;
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::string_view left = rest.substr(0, rest.find('\0'));
  rest.remove_prefix(std::min(rest.size(), left.size() + 1));
  const std::string_view right = rest.substr(0, rest.find('\0'));
  rest.remove_prefix(std::min(rest.size(), right.size() + 1));
  const std::string_view text = rest;

  for (const bool reverse : {false, true}) {
    long long position = 0;
    size_t steps = 0;
    for (;;) {
      const long long before = position;
      const std::string cut = TextBetween(text, left, right, left_shift, right_shift, &position,
                                          reverse, expand_quotes);
      Require(cut.empty() || text.find(cut) != std::string_view::npos);
      if (cut.empty()) break;
      Require(position >= 1 && position <= static_cast<long long>(text.size()) + 1);
      Require(before < 1 || (reverse ? position < before : position > before));
      Require(++steps <= text.size() + 1);
    }
  }

  const std::string needle(left.substr(0, 4));
  for (size_t end : {text.size(), text.size() / 2, text.size() / 3})
    Require(FindLastOnCharBoundary(text, needle, end, true) == PlainFindLast(text, needle, end));
  Require(ExpandQuotes(text).size() <= text.size());
  return 0;
}

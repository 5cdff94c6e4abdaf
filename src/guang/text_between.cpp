#include "guang/text_between.h"

#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr size_t kNone = std::string_view::npos;

struct Markers {
  size_t left = kNone;
  size_t right = kNone;
};

// The first character boundary at or after the end of a marker found at `at`:
// a marker that ends in half a character leaves the walk after the whole one.
size_t BoundaryAfter(std::string_view text, size_t at, size_t length) {
  size_t after = at;
  while (after < at + length) after += GbkCharLength(text, after);
  return after;
}

Markers FindForward(std::string_view text, std::string_view left, std::string_view right,
                    size_t from) {
  Markers found;
  found.left = FindOnCharBoundary(text, left, from, true);
  if (found.left == kNone) return found;
  found.right = FindOnCharBoundary(text, right, BoundaryAfter(text, found.left, left.size()), true);
  return found;
}

Markers FindReverse(std::string_view text, std::string_view left, std::string_view right,
                    size_t end) {
  Markers found;
  found.right = FindLastOnCharBoundary(text, right, end, true);
  if (found.right == kNone) return found;
  found.left = FindLastOnCharBoundary(text, left, found.right, true);
  return found;
}

std::string Cut(std::string_view text, long long start, long long end) {
  if (start < 0 || start >= static_cast<long long>(text.size()) || end <= start) return "";
  return std::string(text.substr(start, end - start));
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view left_marker,
                        std::string_view right_marker, int left_shift, int right_shift,
                        long long* position, bool reverse, bool expand_quotes) {
  long long unused = 0;
  long long& pos = position ? *position : unused;
  std::string left(expand_quotes ? ExpandQuotes(left_marker) : std::string(left_marker));
  std::string right(expand_quotes ? ExpandQuotes(right_marker) : std::string(right_marker));

  if (left.empty() || right.empty()) return "";
  Markers found;
  if (!reverse) {
    size_t from = pos < 1 ? 0 : static_cast<size_t>(pos - 1);
    found = FindForward(text, left, right, from);
  } else {
    size_t end = pos < 1 ? kNone : static_cast<size_t>(pos - 1);
    found = FindReverse(text, left, right, end);
  }
  if (found.left == kNone || found.right == kNone) return "";
  pos = reverse ? static_cast<long long>(found.left) + 1
                : static_cast<long long>(BoundaryAfter(text, found.right, right.size())) + 1;

  long long start = static_cast<long long>(found.left + left.size()) + left_shift;
  long long end = static_cast<long long>(found.right) - right_shift;
  return Cut(text, start, end);
}

std::string ExpandQuotes(std::string_view text) { return ReplaceAll(text, "''", "\""); }

}  // namespace pelrine

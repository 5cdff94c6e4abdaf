#include "run/char_text.h"

#include "net/gbk_text.h"

namespace pelrine {
namespace {

size_t CharOrLineBreakLength(std::string_view text, size_t at) {
  return text.substr(at, 2) == "\r\n" ? 2 : GbkCharLength(text, at);
}

}  // namespace

long long CharCount(std::string_view text) {
  long long count = 0;
  for (size_t at = 0; at < text.size(); at += GbkCharLength(text, at)) ++count;
  return count;
}

std::string CharMid(std::string_view text, long long start, long long count) {
  if (count < 1) return {};
  size_t at = 0;
  for (long long index = 1; index < start && at < text.size(); ++index)
    at += CharOrLineBreakLength(text, at);
  const size_t begin = at;
  for (; count > 0 && at < text.size(); --count) at += CharOrLineBreakLength(text, at);
  return std::string(text.substr(begin, at - begin));
}

}  // namespace pelrine

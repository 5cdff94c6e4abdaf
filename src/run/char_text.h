// Character-based views of GBK text: a double-byte character counts as one
// character, so does a lone byte.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// The number of characters; CR and LF count one each.
long long CharCount(std::string_view text);

// The `count` characters from character `start` (from 1; below 1 counts as
// 1), a CR LF pair counting as one character; "" when `count` is below 1;
// stops at the end of the text.
std::string CharMid(std::string_view text, long long start, long long count);

}  // namespace pelrine

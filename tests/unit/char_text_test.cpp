#include "run/char_text.h"

#include <gtest/gtest.h>

namespace pelrine {
namespace {

TEST(CharCount, CountsDoubleByteCharactersOnce) {
  struct Case {
    std::string_view text;
    long long want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", 0},
           {"abc", 3},
           {"标题", 2},
           {"a标b", 3},
           {"a\r\nb", 4},
           {"\xB0", 1},     // a lone lead byte at the end
           {"\xB0\"x", 3},  // a lead byte before a non-trail byte stands alone
       })
    EXPECT_EQ(CharCount(c.text), c.want) << c.text;
}

TEST(CharMid, CutsWholeCharactersAndLineBreaks) {
  struct Case {
    std::string_view text;
    long long start, count;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"abcd", 2, 2, "bc"},
           {"标题文字", 2, 2, "题文"},
           {"标题文字", 0, 1, "标"},  // a start below 1 counts as 1
           {"标题文字", -5, 2, "标题"},
           {"标题", 2, 9, "题"},  // stops at the end of the text
           {"标题", 3, 1, ""},
           {"标题", 1, 0, ""},
           {"标题", 1, -1, ""},
           {"a\r\nb", 2, 1, "\r\n"},  // CR LF is one character
           {"a\r\nb", 3, 1, "b"},
           {"a\rb", 2, 1, "\r"},
       })
    EXPECT_EQ(CharMid(c.text, c.start, c.count), c.want) << c.text << " " << c.start;
}

}  // namespace
}  // namespace pelrine

#include "net/gbk_text.h"

#include <gtest/gtest.h>

namespace pelrine {
namespace {

constexpr size_t npos = std::string_view::npos;

TEST(FindOnCharBoundary, SkipsTrailBytes) {
  struct Case {
    std::string_view text, needle;
    size_t from;
    bool ignore_case;
    size_t want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a[b]", "[", 0, false, 1},
           {"\xB0\x5B[", "[", 0, false, 2},  // the first '[' is the trail byte of a GBK character
           {"\xB0\x5B", "[", 0, false, npos},
           {"\xB0\"", "\"", 0, false, 1},  // a lead byte before a non-trail byte stands alone
           {"abc", "x", 0, false, npos},
           {"abcABC", "ABC", 1, false, 3},
           {"xAbC", "aBc", 0, true, 1},
           {"\xC1\xE3", "\xE1\xE3", 0, true, npos},  // no folding of non-ASCII bytes
           {"ab", "", 1, false, 1},
           {"ab", "b", 3, false, npos},
           {"\xB0", "\xB0", 0, false, 0},  // a lone lead byte at the end is one character
       })
    EXPECT_EQ(FindOnCharBoundary(c.text, c.needle, c.from, c.ignore_case), c.want) << c.text;
}

TEST(FindLastOnCharBoundary, EndsBeforeLimit) {
  struct Case {
    std::string_view text, needle;
    size_t end;
    size_t want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a.b.c", ".", npos, 3},
           {"a.b.c", ".", 3, 1},
           {"a.b.c", ".", 4, 3},
           {"a.b", ".", 0, npos},
           {"\xB0[x", "[", npos, npos},  // 0xB0 0x5B is one character
           {"\xB0\"x", "\"", npos, 1},   // 0x22 is no trail byte: 0xB0 stands alone
           // the characters of a run of lead-range bytes pair up from its start
           {"\xB0\xB0\xB0[", "[", npos, npos},
           {"\xB0\xB0[", "[", npos, 2},
           {"a\xB0\xB0\xB0\xB0[", "[", npos, 5},
           {"\xB0\xA1\xB0", "\xA1\xB0", npos, npos},
           {"\xB0\xA1\xB0", "\xB0", npos, 2},  // a lone lead byte at the end
           {"\xB0\xB0\xB0", "\xB0", 2, 0},
           {"\xB0\xB0\xB0\"", "\xB0", npos, 2},    // a lead byte before a non-trail byte
           {"[\xB0[\xB0\xB0\xB0[", "[", npos, 0},  // every later "[" trails a lead byte
           {"ab", "", npos, 2},
       })
    EXPECT_EQ(FindLastOnCharBoundary(c.text, c.needle, c.end), c.want) << c.text;
}

TEST(SplitText, KeepsInnerEmptyPiecesDropsTrailingOne) {
  using Pieces = std::vector<std::string>;
  struct Case {
    std::string_view text, delimiter;
    Pieces want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", "|", {}},
           {"a", "|", {"a"}},
           {"a|b", "|", {"a", "b"}},
           {"a||b", "|", {"a", "", "b"}},
           {"|a", "|", {"", "a"}},
           {"a|", "|", {"a"}},
           {"|", "|", {""}},
           {"a\r\nb\r\n", "\r\n", {"a", "b"}},
           {"\xB0|x|y", "|", {"\xB0|x", "y"}},  // 0xB0 0x7C is one character
       })
    EXPECT_EQ(SplitText(c.text, c.delimiter), c.want) << c.text;
}

TEST(ReplaceAll, ReplacesOnBoundariesWithoutRescanning) {
  EXPECT_EQ(ReplaceAll("''x''", "''", "\""), "\"x\"");
  EXPECT_EQ(ReplaceAll("'''", "''", "\""), "\"'");
  EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
  EXPECT_EQ(ReplaceAll("\xB0|", "|", "/"), "\xB0|");
  EXPECT_EQ(ReplaceAll("AbAB", "ab", "-", true), "--");
  EXPECT_EQ(ReplaceAll("abc", "", "-"), "abc");
}

TEST(LeadingInteger, ReadsTheLeadingNumber) {
  struct Case {
    std::string_view text;
    long long want;
  };
  for (const Case& c : std::initializer_list<Case>{{"12", 12},
                                                   {"12abc", 12},
                                                   {"abc", 0},
                                                   {"", 0},
                                                   {"-3", -3},
                                                   {" 7", 7},
                                                   {"99999999999999999999999", 999999999999999999}})
    EXPECT_EQ(LeadingInteger(c.text), c.want) << c.text;
}

}  // namespace
}  // namespace pelrine

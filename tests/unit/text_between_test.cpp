#include "guang/text_between.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelrine {
namespace {

struct Step {
  std::string want;
  long long position_after;
};

// Walks with the position carried from call to call, one more call than there
// are items: the last one must answer "" and leave the position alone.
void ExpectWalk(std::string_view text, std::string_view left, std::string_view right, bool reverse,
                long long position, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    EXPECT_EQ(TextBetween(text, left, right, 0, 0, &position, reverse), step.want) << text;
    EXPECT_EQ(position, step.position_after) << text << " after " << step.want;
  }
}

TEST(TextBetween, WalksForwardThroughRepeatedItems) {
  ExpectWalk("a{x}b{y}c", "{", "}", false, 0, {{"x", 5}, {"y", 9}, {"", 9}});
  ExpectWalk("a{x}b{y}c", "{", "}", false, -7, {{"x", 5}, {"y", 9}, {"", 9}});
  ExpectWalk("a{x}b{y}c", "{", "}", false, 5, {{"y", 9}, {"", 9}});
  // an empty item between markers ends a walk, though the position moves on
  ExpectWalk("{}{z}", "{", "}", false, 0, {{"", 3}});
  // the left marker is found but no right marker after it
  ExpectWalk("{a}{b", "{", "}", false, 0, {{"a", 4}, {"", 4}});
  ExpectWalk("ab", "a", "b", false, 3, {{"", 3}});
  ExpectWalk("ab", "a", "b", false, 99, {{"", 99}});
}

TEST(TextBetween, WalksBackwardFromTheEnd) {
  ExpectWalk("a{x}b{y}c", "{", "}", true, 0, {{"y", 6}, {"x", 2}, {"", 2}});
  // only markers wholly before the position count
  ExpectWalk("a{x}b{y}c", "{", "}", true, 8, {{"x", 2}});
  ExpectWalk("a{x}b{y}c", "{", "}", true, 9, {{"y", 6}});
  ExpectWalk("{x}", "{", "}", true, 1, {{"", 1}});
  // the left marker must end before the right one starts
  ExpectWalk("{}x}", "{}", "}", true, 0, {{"x", 1}});
  ExpectWalk("}{x", "{", "}", true, 0, {{"", 0}});
}

TEST(TextBetween, CutsWithShiftsAndClips) {
  struct Case {
    std::string_view text, left, right;
    int left_shift, right_shift;
    bool reverse;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"pic.a.jpg||next", ".", "||", -1, 0, true, ".jpg"},
           {"pic.a.jpg||next", ".", "||", 0, 0, false, "a.jpg"},
           {"<b>bold</b>", "<b>", "</b>", 0, 1, false, "bol"},
           {"<b>bold</b>", "<b>", "</b>", -3, -4, false, "<b>bold</b>"},
           {"<b>bold</b>", "<b>", "</b>", 4, 0, false, ""},  // the cut would end before it starts
           {"<b>bold</b>", "<b>", "</b>", 0, -99, false, "bold</b>"},  // clipped at the end
           {"<b>bold</b>", "<b>", "</b>", -9, 0, false, ""},           // starts before the text
           {"<b></b>", "<b>", "</b>", 0, 0, false, ""},
           {"<b></b>", "<b>", "</b>", -1, 0, false, ">"},
       })
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.left_shift, c.right_shift, nullptr, c.reverse),
              c.want)
        << c.text << " " << c.left_shift << " " << c.right_shift;
}

TEST(TextBetween, MatchesOnCharacterBoundariesIgnoringAsciiCase) {
  struct Case {
    std::string_view text, left, right, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"<TITLE>x</Title>", "<title>", "</TITLE>", "x"},
           {"\"tinyURL\":\"u\"", "\"TinyUrl\":\"", "\"", "u"},
           {"名字：张三。", "名字：", "。", "张三"},
           {"a\xB0[b[c]", "[", "]", "c"},     // 0xB0 0x5B is one character, not a "["
           {"[\xB0]x]", "[", "]", "\xB0]x"},  // and 0xB0 0x5D is not a "]"
           {"\xC1\xE3x\xE1\xE3", "\xC1\xE3", "\xE1\xE3", "x"},  // only ASCII letters fold
           {"\xC1\xE3x\xC1\xE3", "\xE1\xE3", "\xC1\xE3", ""},
           {"{a}", "", "}", ""},  // an empty marker finds nothing
           {"{a}", "{", "", ""},
           {"", "{", "}", ""},
       })
    EXPECT_EQ(TextBetween(c.text, c.left, c.right), c.want) << c.text;
}

// A left marker that ends in half a character: the search for the right
// marker and the next walk step begin after that whole character.
TEST(TextBetween, MarkerEndingInHalfACharacterMovesPastTheCharacter) {
  long long position = 0;
  EXPECT_EQ(TextBetween("x\xB0\x5D]y\xB0\x5D]", "x\xB0", "]", 0, 0, &position), "\x5D");
  EXPECT_EQ(position, 5);
  position = 0;
  EXPECT_EQ(TextBetween("<\xB0\x5B<a\xB0", "<", "\xB0", 0, 0, &position), "");
  EXPECT_EQ(position, 4);  // after the whole character 0xB0 0x5B
  EXPECT_EQ(TextBetween("<\xB0\x5B<a\xB0", "<", "\xB0", 0, 0, &position), "a");
}

TEST(TextBetween, ExpandsQuotesInMarkersOnRequest) {
  std::string_view entry = R"({"uid":123,"nick":"li"})";
  EXPECT_EQ(TextBetween(entry, "''uid'':", ",", 0, 0, nullptr, false, true), "123");
  EXPECT_EQ(TextBetween(entry, "''nick'':''", "''", 0, 0, nullptr, false, true), "li");
  EXPECT_EQ(TextBetween(entry, "''uid'':", ",", 0, 0, nullptr, false, false), "");
  EXPECT_EQ(TextBetween(R"(a''b'')", "''", "''", 0, 0, nullptr, false, false), "b");
}

TEST(ExpandQuotes, ReplacesPairsLeftToRight) {
  struct Case {
    std::string_view text, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"''''", "\"\""},
           {"'''", "\"'"},
           {"'", "'"},
           {"''uid'':", "\"uid\":"},
           {"'',''", "\",\""},
           {"", ""},
       })
    EXPECT_EQ(ExpandQuotes(c.text), c.want) << c.text;
}

// Every step of a walk reads on from where the last one ended, so walks in
// both directions through a 5 MB listing end soon.
TEST(TextBetween, WalksALargeTextToItsEnd) {
  std::string text;
  const std::string item = "项<值>一二三四五六七八九十";
  while (text.size() < 5'000'000) text += item;
  long long position = 0;
  size_t items = 0;
  while (TextBetween(text, "项<", ">", 0, 0, &position) == "值") ++items;
  EXPECT_EQ(items, text.size() / item.size());
  position = 0;
  items = 0;
  while (TextBetween(text, "<", ">一", 0, 0, &position, true) == "值") ++items;
  EXPECT_EQ(items, text.size() / item.size());
}

}  // namespace
}  // namespace pelrine

// Tests of RegexObject that the native and the Windows test programs both
// run, since patterns, texts and results cross the code-page conversion.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "guang/regex_object.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

TEST(RegexObject, StripsWhitespaceWithTheOctalTabClass) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create(R"([\11\r\n 　])", false, false, false));
  EXPECT_EQ(regex.Replace(" 我的\t相册\r\n 名称　！", ""), "我的相册名称！");
  EXPECT_EQ(regex.Replace("\xA1\xA1\x09\x0B", ""), "\x0B");  // a vertical tab is no blank here
}

TEST(RegexObject, ReplacesEverySentenceBreakCharacter) {
  const std::string_view breaks = ",，。！!？?；<>/:：()='. {}《》（）\"\r\n";
  RegexObject regex;
  ASSERT_TRUE(regex.CreateWith(std::string("[").append(EscapeLiteral(breaks)).append("]")));
  for (size_t at = 0; at < breaks.size(); at += GbkCharLength(breaks, at)) {
    const std::string one(breaks.substr(at, GbkCharLength(breaks, at)));
    EXPECT_EQ(regex.Replace("甲" + one + "乙", "⊥"), "甲⊥乙") << one;
  }
  const std::string others = R"(中文abcABC019[]|*+-\^$&#~`_;@%)";
  EXPECT_EQ(regex.Replace(others, "⊥"), others);
}

TEST(RegexObject, AppliesTheThreeFlags) {
  struct Case {
    std::string_view pattern, text;
    bool case_sensitive, anchors_at_text_ends_only, first_match_only;
    int want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"abc", "xABCx abc", false, false, false, 2},
           {"abc", "xABCx abc", true, false, false, 1},
           {"^b", "a\nb\r\nb", false, false, false, 2},
           {"^b", "a\nb", false, true, false, 0},
           {"a$", "a\na", false, false, false, 2},
           {"a$", "a\na", false, true, false, 1},
           {"a", "aXa", false, false, true, 1},
           {"x*", "ab", false, false, false, 3},  // empty matches step on by one character
           {"中", "中文中", true, true, false, 2},
           {"Ａα", "ａΑ", false, false, false, 0},  // ignoring case folds ASCII letters only
       }) {
    RegexObject regex;
    ASSERT_TRUE(
        regex.Create(c.pattern, c.case_sensitive, c.anchors_at_text_ends_only, c.first_match_only));
    EXPECT_EQ(regex.Execute(c.text), c.want) << c.pattern << " on " << c.text;
    EXPECT_EQ(regex.Test(c.text), c.want > 0) << c.pattern << " on " << c.text;
  }
}

TEST(RegexObject, KeepsMatchesWithTheirSubMatches) {
  RegexObject regex;
  EXPECT_EQ(regex.CreateAndExecute(R"((\d+)-(\d+)?)", "电话12-34，5-"), 2);
  EXPECT_EQ(regex.MatchCount(), 2);
  EXPECT_EQ(regex.SubMatchCount(), 2);
  struct Case {
    int match, submatch;
    std::string_view text;
    int length;
  };
  for (const Case& c : std::initializer_list<Case>{
           {1, 0, "12-34", 5},
           {1, -1, "12-34", 5},
           {1, 1, "12", 2},
           {1, 2, "34", 2},
           {2, 0, "5-", 2},
           {2, 2, "", 0},  // a group that took no part
           {0, 0, "", 0},
           {3, 0, "", 0},
           {1, 3, "", 0},
       }) {
    EXPECT_EQ(regex.MatchText(c.match, c.submatch), c.text) << c.match << "," << c.submatch;
    EXPECT_EQ(regex.MatchLength(c.match, c.submatch), c.length) << c.match << "," << c.submatch;
  }
  EXPECT_EQ(regex.CreateAndExecute("价格(.+)元", "价格12元"), 1);
  EXPECT_EQ(regex.MatchText(1, 1), "12");
  EXPECT_EQ(regex.MatchLength(1), 5);  // characters, not bytes
  EXPECT_EQ(regex.Execute("none"), 0);
  EXPECT_EQ(regex.MatchText(1), "");
  EXPECT_EQ(regex.SubMatchCount(), 0);
}

TEST(RegexObject, ReplacesAllOrFirstWithReferences) {
  struct Case {
    std::string_view pattern, replacement;
    bool first_match_only;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a", "-", false, "-b-中-"},
           {"a", "-", true, "-ba中a"},
           {"(a)(b)", "[$2$1]", false, "[ba]a中a"},
           {"b", "<$&|$`|$'>", false, "a<b|a|a中a>a中a"},
           {"b", "$$1 $0 $3 $", false, "a$1 $0 $3 $a中a"},
           {"(a)", "$10", true, "a0ba中a"},  // no group 10: group 1, then 0
           {"中", "\\1", false, "aba\\1a"},
           {"a*", "-", false, "--b--中--"},
       }) {
    RegexObject regex;
    EXPECT_EQ(regex.Replace("aba中a", c.replacement, c.pattern, true, false, c.first_match_only),
              c.want)
        << c.pattern << " by " << c.replacement;
  }
}

TEST(RegexObject, RewritesLegacyOctalEscapes) {
  struct Case {
    std::string_view pattern, text, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {R"(\11)", "a\tb", "\t"},
           {R"(a\011)", "a\tb", "a\t"},
           {R"([\11x])", "ab\t", "\t"},
           {R"(\101)", "xA", "A"},
           {R"(\1010)", "A0", "A0"},
           {R"(\477)", "'7", "'7"},
           {R"((a)\1)", "a aa", "aa"},      // a group before it: a back-reference
           {R"((a)\2)", "a\x02", "a\x02"},  // no second group: octal
           {R"((a)\12)", "a\n", "a\n"},
           {R"([\1])", "a\x01", "\x01"},  // no back-references in a class
           {R"(\8)", "x8", "8"},
           {R"(\\11)", "\\11", "\\11"},  // an escaped backslash, then digits
           {R"(\[\11])", "[\t]", "[\t]"},
       }) {
    RegexObject regex;
    ASSERT_EQ(regex.CreateAndExecute(c.pattern, c.text, true), 1) << c.pattern;
    EXPECT_EQ(regex.MatchText(1), c.want) << c.pattern;
  }
}

TEST(RegexObject, PatternThatDoesNotCompileGivesEmptyResults) {
  for (std::string_view pattern : {"(", "[a", "a{2,1}", "*", R"(a\)", "(?<x>a)"}) {
    RegexObject regex;
    EXPECT_FALSE(regex.Create(pattern)) << pattern;
    EXPECT_EQ(regex.Execute("a(b"), 0) << pattern;
    EXPECT_EQ(regex.MatchText(1), "") << pattern;
    EXPECT_FALSE(regex.Test("a(b")) << pattern;
    EXPECT_EQ(regex.Replace("a(b", "x"), "a(b") << pattern;
    EXPECT_TRUE(regex.Create("b")) << pattern;  // and the object stays usable
    EXPECT_EQ(regex.Replace("a(b", "x"), "a(x") << pattern;
  }
  RegexObject fresh;
  EXPECT_EQ(fresh.Execute("abc"), 0);
  EXPECT_EQ(fresh.Replace("abc", "x"), "abc");
}

// The program's markup pattern over responses far larger than backtracking
// could take on the stack: tags are removed, one tag as long as the text too.
TEST(RegexObject, MatchesLongTextsWithoutDeepRecursion) {
  std::string text, want;
  for (int i = 0; i < 2'000; ++i) {
    text += "名称＜b＞粗体＜/b＞";
    want += "名称粗体";
  }
  RegexObject regex;
  ASSERT_TRUE(regex.CreateWith("＜.*?＞", false, true, true));
  EXPECT_EQ(regex.Replace(text, ""), want);
  EXPECT_EQ(regex.Replace(std::string("＜").append(100'000, 'a').append("＞x"), ""), "x");

  ASSERT_TRUE(regex.Create(R"([\11\r\n 　])"));
  EXPECT_EQ(regex.Execute(std::string(20'000, ' ')), 20'000);
}

// Work that would grow beyond a fixed bound per character stops, with the
// results of a pattern that does not compile, instead of running on.
TEST(RegexObject, GivesUpOnRunawayMatching) {
  RegexObject regex;
  ASSERT_TRUE(regex.CreateWith("(a|a)*b"));
  EXPECT_EQ(regex.Execute(std::string(40, 'a')), 0);
  EXPECT_EQ(regex.CreateAndExecute("(a|a)*b", std::string(40, 'a') + "b"), 1);  // found at once
  EXPECT_EQ(regex.CreateAndExecute("(a|a)*b", "aab"), 1);

  const std::string unclosed = [] {
    std::string text;
    for (int i = 0; i < 5'000; ++i) text += "＜";
    return text;
  }();
  ASSERT_TRUE(regex.CreateWith("＜.*?＞", false, true, true));
  EXPECT_EQ(regex.Replace(unclosed, ""), unclosed);
}

// Where matching backtracks, an alternation takes its first branch that
// matches: on any text without repetitions, on short texts with them.
TEST(RegexObject, AlternationPrefersTheFirstBranchWhereItBacktracks) {
  RegexObject regex;
  ASSERT_EQ(regex.CreateAndExecute("a|ab", std::string(5'000, 'b') + "ab"), 1);
  EXPECT_EQ(regex.MatchText(1), "a");
  ASSERT_EQ(regex.CreateAndExecute("(x|xy)z?", "xyz"), 1);
  EXPECT_EQ(regex.MatchText(1), "x");
}

}  // namespace
}  // namespace pelrine

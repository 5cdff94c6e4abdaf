#include "regex_object_shared_tests.h"

namespace pelrine {
namespace {

TEST(RegexObject, CreateTouchesTheEngineOnlyOnChange) {
  RegexObject regex;
  EXPECT_TRUE(regex.Create("a"));
  EXPECT_TRUE(regex.Create("a"));
  EXPECT_EQ(regex.EngineUpdates(), 1);
  EXPECT_EQ(regex.Flags(), 1 | 2 | 4);

  EXPECT_TRUE(regex.Create("", true, false, true));  // flags only
  EXPECT_EQ(regex.EngineUpdates(), 2);
  EXPECT_EQ(regex.Pattern(), "a");
  EXPECT_EQ(regex.Flags(), 2);
  EXPECT_EQ(regex.Execute("aAa"), 1);

  EXPECT_TRUE(regex.CreateWith("A"));
  EXPECT_EQ(regex.Flags(), 1 | 2 | 4);
  EXPECT_EQ(regex.Execute("aAa"), 3);
  EXPECT_EQ(regex.Replace("aAa", "b", "", true), "aba");  // only case sensitivity changed
  EXPECT_EQ(regex.EngineUpdates(), 4);
}

TEST(RegexObject, CopiesGoTheirOwnWay) {
  RegexObject original;
  ASSERT_EQ(original.CreateAndExecute("a(.)", "ab ac"), 2);
  RegexObject copy = original;
  EXPECT_EQ(copy.MatchText(2, 1), "c");
  ASSERT_EQ(copy.CreateAndExecute("x", "x"), 1);
  EXPECT_EQ(original.Pattern(), "a(.)");
  EXPECT_EQ(original.MatchText(2, 1), "c");
  EXPECT_EQ(original.Execute("ad"), 1);
  EXPECT_EQ(copy.MatchText(1), "x");
}

TEST(RegexEscapes, BackslashBeforeEachSpecialCharacter) {
  struct Case {
    std::string (*escape)(std::string_view);
    std::string_view text, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {EscapeLiteral, R"(a.b*c|d"e)", R"(a\.b\*c\|d\"e)"},
           {EscapeLiteral, R"(\^$+.{}[]=()?*|")", R"(\\\^\$\+\.\{\}\[\]\=\(\)\?\*\|\")"},
           {EscapeLiteral, "\xB0\x5C\xB0\x7C\xB0\x5B", "\xB0\x5C\xB0\x7C\xB0\x5B"},  // trail bytes
           {EscapeKeepAlternation, R"(a|b.c)", R"(a|b\.c)"},
           {EscapeKeepAlternation, R"(\?*)", R"(\\\?\*)"},
           {EscapeWildcard, "*.txt?", R"(.*\.txt.?)"},
           {EscapeWildcard, R"(a\*|b)", R"(a\\.*|b)"},
           {EscapeWildcard, "", ""},
       })
    EXPECT_EQ(c.escape(c.text), c.want) << c.text;
}

}  // namespace
}  // namespace pelrine

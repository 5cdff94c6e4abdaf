// Tests of UnescapeScriptText that the native and the Windows test programs
// both run, since the text crosses the code-page conversion on its way.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "guang/unescape_script_text.h"

namespace pelrine {
namespace {

using namespace std::string_view_literals;

struct UnescapeCase {
  std::string_view text, want;
};

void ExpectUnescapes(std::initializer_list<UnescapeCase> cases) {
  for (const UnescapeCase& c : cases)
    EXPECT_EQ(UnescapeScriptText(c.text), c.want) << testing::PrintToString(c.text);
}

TEST(UnescapeScriptText, ResolvesStringLiteralEscapes) {
  ExpectUnescapes({
      {R"(http:\/\/a.cn\/x)", "http://a.cn/x"},
      {R"(say \"hi\")", "say \"hi\""},
      {R"(a\nb\tc)", "a\nb\tc"},
      {R"(\b\f\v\r)", "\b\f\v\r"},
      {R"(\\)", "\\"},
      {R"(\q\中)", "q中"},  // any other character stands for itself
      {R"(\x41\x4a)", "AJ"},
      {R"(\x4)", "x4"},  // a broken \x keeps its text
      {R"(\x4g)", "x4g"},
      {R"(\101\1010)", "AA0"},  // octal: at most three digits from 0-3 on
      {R"(\477)", "'7"},        // and two from 4-7 on (\47 is an apostrophe)
      {R"(\8\9)", "89"},
      {R"(\0)", "\0"sv},
      {"", ""},
  });
}

TEST(UnescapeScriptText, DecodesUnicodeAndPercentEscapes) {
  ExpectUnescapes({
      {R"(\u4e2d\u6587)", "中文"},
      {R"(\u4E2D!)", "中!"},
      {R"(%u4e2d%41%2f)", "中A/"},
      {R"(\u00e9\u20ac)", "\xA8\xA6\x80"},  // é, and € as the single byte 0x80
      {R"(\u12)", "%u12"},                  // a short \u stays, as %u
      {R"(%u4e2)", "%u4e2"},
      {R"(%4 %zz 100%)", "%4 %zz 100%"},
      {R"(\u0025u4e2d)", "%u4e2d"},        // unescape reads the text once
      {R"(\%41)", "A"},                    // literal escapes come first
      {R"(\\u4e2d)", "中"},                // every \u is %u before decoding
      {R"(\ud83d\ude00)", "??"},           // no GBK form
      {"\xB0\x5Cu4e2d", "\xB0\x5Cu4e2d"},  // 0xB0 0x5C is one character, no backslash
  });
}

TEST(UnescapeScriptText, KeepsLineBreaksAndApostrophes) {
  ExpectUnescapes({
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\\\r\nb", "a\r\nb"},
      {"\ra\rb", "ab"},  // a text that starts with a lone CR loses its lone CRs
      {"\r\r\nb", "\r\nb"},
      {"it's", "it's"},
      {R"(it\'s)", "it's"},
      {"it\xA1\xAFs", "it's"},  // the right single quotation mark too
      {R"(\u2019%u2019)", "''"},
  });
}

TEST(UnescapeScriptText, GivesEmptyTextWhereAScriptStringCouldNotHoldIt) {
  ExpectUnescapes({
      {"a\nb", ""},
      {"a\rb", ""},
      {"a\\\nb", ""},
      {"a\r\n\n", ""},
      {"ends in \\", ""},
      {"ends in \\\\\\", ""},
      {"ends in \\\\", "ends in \\"},
  });
}

}  // namespace
}  // namespace pelrine

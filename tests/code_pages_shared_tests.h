// Tests of the code-page conversions that the native and the Windows test
// programs both run: the two builds must give the same bytes for every case.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "net/code_pages.h"

namespace pelrine {
namespace {

using namespace std::string_view_literals;

// wchar_t is UTF-16 on Windows and UTF-32 natively; the cases are BMP text.
std::u16string ToU16(std::wstring_view wide) { return std::u16string(wide.begin(), wide.end()); }
std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

struct BytesCase {
  std::string_view in, want;
};

TEST(GbkToWide, DecodesBrokenInputAsTheSystemDoes) {
  struct Case {
    std::string_view gbk;
    std::u16string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", u""},
           {"abc", u"abc"},
           {"中文", u"中文"},
           {"中\0文"sv, u"中\0文"sv},
           {"\x80", u"\u20AC"},
           {"\xFF", u"\uF8F5"},
           {"\xAA\xA1", u"\uE000"},  // user-defined areas map to private use
           {"\xA1\x40", u"\uE4C6"},
           {"\xFE\x50", u"\uE815"},
           {"a\x81", u"a?"},      // lone lead byte at the end
           {"\x81\x30z", u"?z"},  // a lead byte swallows the byte after it
           {"\x81\x7F", u"?"},
           {"\x81\0b"sv, u"?\0b"sv},  // but never a zero byte
       })
    EXPECT_EQ(ToU16(GbkToWide(c.gbk)), c.want) << testing::PrintToString(c.gbk);
}

TEST(WideToGbk, UsesLookAlikesThenQuestionMarks) {
  struct Case {
    std::u16string_view wide;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"", ""},
           {u"中文", "中文"},
           {u"a\0b"sv, "a\0b"sv},
           {u"\u20AC", "\x80"},
           {u"\uF8F5", "\xFF"},
           {u"\uE000", "\xAA\xA1"},
           {u"\u00B2", "2"},
           {u"\u00C0", "\xA8\xA4"},  // capital A grave: the small letter
           {u"\uF900", "\xD8\x4D"},  // compatibility ideograph: its unified form
           {u"\u00C5", "?"},
           {u"\uFFFD", "?"},
           {u"e\u0301", "e?"},  // no composition here
           {u"\U0001F600", "??"},
           {u"\xD800z", "?z"},
       })
    EXPECT_EQ(WideToGbk(ToWide(c.wide)), c.want) << testing::PrintToString(c.want);
}

TEST(GbkToUtf8, ConvertsTheTextBeforeTheFirstZeroByte) {
  for (const BytesCase& c : std::initializer_list<BytesCase>{
           {"", ""},
           {"中", "\xE4\xB8\xAD"},
           {"\x80", "\xE2\x82\xAC"},
           {"\xAA\xA1", "\xEE\x80\x80"},
           {"a\x81", "a?"},
           {"a\0b"sv, "a"},
       })
    EXPECT_EQ(GbkToUtf8(c.in), c.want) << testing::PrintToString(c.in);
}

TEST(Utf8ToGbk, ReplacesBrokenSequencesAndUnknownCharacters) {
  for (const BytesCase& c : std::initializer_list<BytesCase>{
           {"", ""},
           {"\xE4\xB8\xAD\xE6\x96\x87", "中文"},
           {"a\0b"sv, "a"},
           {"\xC3\xA9", "\xA8\xA6"},
           {"e\xCC\x81", "\xA8\xA6"},  // letter and combining accent: one GBK letter
           {"m\xCC\x81", "m?"},
           {"\xC2\xB2", "2"},
           {"\xEF\xBF\xBD", "?"},
           {"\xEF\xBF\xBF", "?"},
           {"\xF0\x9F\x98\x80", "??"},  // one character outside the BMP: two halves
           {"\x80", "?"},
           {"\xC0\xAF", "??"},
           {"\xC2z", "?z"},
           {"\xE0\x9F\x80", "??"},  // overlong: lead and first continuation, then the rest
           {"\xED\xA0\x80", "??"},  // encoded surrogate
           {"\xF0\x8F\x80\x80", "???"},
           {"\xF4\x90\x80\x80", "???"},
           {"\xF5\x80\x80\x80", "????"},
           {"\xE0\xA0z", "?z"},
           {"a\xE4\xB8", "a?"},  // cut off at the end
           {"\xE4z", "?"},       // ... taking the rest of the input with it
           {"\xE4zz", "?zz"},
       })
    EXPECT_EQ(Utf8ToGbk(c.in), c.want) << testing::PrintToString(c.in);
  EXPECT_EQ(Utf8ToGbk("e\xCC\x81", false), "e?");
}

TEST(Big5ToSimplifiedGbk, EndsBeforeTheFirstCharacterGbkLacks) {
  for (const BytesCase& c : std::initializer_list<BytesCase>{
           {"", ""},
           {"abc", "abc"},
           {"\xA4\xA4\xA4\xE5", "中文"},
           {"a\0\xA4\xA4"sv, "a"},
           {"\xC9\x4A", "\xD8\xA3"},  // compatibility ideograph: its unified form
           {"\xA4", "?"},
           {"\xA4\x30", "?"},
           {"a\x81\x40z", "a"},  // user-defined character
           {"a\x80z", "a"},
       })
    EXPECT_EQ(Big5ToSimplifiedGbk(c.in), c.want) << testing::PrintToString(c.in);
}

TEST(CodePages, LongTextsRoundTrip) {
  std::string gbk;
  for (int i = 0; i < 1 << 20; ++i) gbk += "中a\x80";
  const std::string utf8 = GbkToUtf8(gbk);
  EXPECT_EQ(utf8.size(), gbk.size() / 4 * 7);
  EXPECT_EQ(Utf8ToGbk(utf8), gbk);
  EXPECT_EQ(WideToGbk(GbkToWide(gbk)), gbk);
}

// Every short input, summed up: FNV-1a over each result and its length. The
// sums are the same on both sides, so the two builds agree on all of them.
class Digest {
 public:
  void Add(std::string_view bytes) {
    for (const char c : bytes) Mix(static_cast<unsigned char>(c));
    Mix(bytes.size());
  }
  void Add(std::wstring_view wide) {
    for (const wchar_t c : wide) Mix(static_cast<uint32_t>(c));
    Mix(wide.size());
  }
  uint64_t value() const { return value_; }

 private:
  void Mix(uint64_t n) { value_ = (value_ ^ n) * 0x100000001B3u; }
  uint64_t value_ = 0xCBF29CE484222325u;
};

// Every single byte and every two bytes that start with a byte of 0x80 or more.
template <typename Convert>
uint64_t DigestOfDoubleByteInputs(Convert convert) {
  Digest digest;
  for (unsigned first = 0; first <= 0xFF; ++first) {
    const char single = static_cast<char>(first);
    digest.Add(convert(std::string_view(&single, 1)));
    if (first >= 0x80)
      for (unsigned second = 0; second <= 0xFF; ++second) {
        const char pair[2] = {static_cast<char>(first), static_cast<char>(second)};
        digest.Add(convert(std::string_view(pair, 2)));
      }
  }
  return digest.value();
}

std::string Utf8Of(char32_t c) {
  std::string utf8;
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) {
    utf8 += static_cast<char>(0xC0 | c >> 6);
  } else {
    utf8 += static_cast<char>(0xE0 | c >> 12);
    utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (c & 0x3F));
  return utf8;
}

TEST(CodePages, AgreeOnEveryShortInput) {
  EXPECT_EQ(DigestOfDoubleByteInputs(GbkToWide), 8357111132869618952u) << "GbkToWide";
  EXPECT_EQ(DigestOfDoubleByteInputs(GbkToUtf8), 3430686623633831308u) << "GbkToUtf8";
  EXPECT_EQ(DigestOfDoubleByteInputs(Big5ToSimplifiedGbk), 15159455817318114192u)
      << "Big5ToSimplifiedGbk";

  Digest wide_to_gbk;
  for (unsigned c = 0; c <= 0xFFFF; ++c)
    wide_to_gbk.Add(WideToGbk(std::wstring(1, static_cast<wchar_t>(c))));
  EXPECT_EQ(wide_to_gbk.value(), 18030194793535933674u) << "WideToGbk";

  // Every character in UTF-8 (surrogates too), every two bytes, and three and
  // four bytes from the bytes where UTF-8's rules change.
  Digest utf8_to_gbk;
  for (char32_t c = 0; c <= 0xFFFF; ++c) utf8_to_gbk.Add(Utf8ToGbk(Utf8Of(c)));
  for (unsigned pair = 0; pair <= 0xFFFF; ++pair) {
    const char bytes[2] = {static_cast<char>(pair >> 8), static_cast<char>(pair)};
    utf8_to_gbk.Add(Utf8ToGbk(std::string_view(bytes, 2)));
  }
  constexpr std::string_view kEdges =
      "\x00\x41\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE1\xED\xEE\xEF\xF0\xF1\xF4\xF5\xFF"sv;
  for (const char a : kEdges)
    for (const char b : kEdges)
      for (const char c : kEdges) {
        const char three[3] = {a, b, c};
        utf8_to_gbk.Add(Utf8ToGbk(std::string_view(three, 3)));
        for (const char d : "\x41\x80\x8F\x90\xBF\xC0\xF0"sv) {
          const char four[4] = {a, b, c, d};
          utf8_to_gbk.Add(Utf8ToGbk(std::string_view(four, 4)));
        }
      }
  EXPECT_EQ(utf8_to_gbk.value(), 736133579068183771u) << "Utf8ToGbk";

  // Letters and kana followed by every combining mark.
  Digest composed;
  for (char32_t base = 0x20; base < 0x3100; base = base == 0x4FF ? 0x3040 : base + 1) {
    for (char32_t mark = 0x0300; mark < 0x0370; ++mark)
      composed.Add(Utf8ToGbk(Utf8Of(base) + Utf8Of(mark)));
    for (const char32_t mark : {0x3099, 0x309A})
      composed.Add(Utf8ToGbk(Utf8Of(base) + Utf8Of(mark)));
  }
  EXPECT_EQ(composed.value(), 6323879333040708495u) << "Utf8ToGbk composition";
}

}  // namespace
}  // namespace pelrine

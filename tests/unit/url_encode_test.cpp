#include "net/url_encode.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

namespace pelrine {
namespace {

using namespace std::string_view_literals;

// One row per text: what each of the four encoders makes of it.
TEST(PercentEncoders, EncodeTheirBytesExceptTheirKeepSet) {
  struct Case {
    std::string_view text, url_gbk, url_utf8, encode_gbk, encode_utf8;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", "", "", "", ""},
           {"abc", "%61%62%63", "%61%62%63", "abc", "abc"},
           {"中", "%D6%D0", "%E4%B8%AD", "%D6%D0", "%E4%B8%AD"},
           {"\t", "%09", "%09", "%09", "%09"},
           {"a b_~*", "%61%20%62%5F%7E%2A", "%61%20%62%5F%7E%2A", "a%20b%5F%7E%2A",
            "a%20b%5F%7E%2A"},
           {"http://t.cn/?u=1&v-2", "%68%74%74%70%3A%2F%2F%74%2E%63%6E%2F%3F%75%3D%31%26%76%2D%32",
            "%68%74%74%70%3A%2F%2F%74%2E%63%6E%2F%3F%75%3D%31%26%76%2D%32",
            "http%3A%2F%2Ft%2Ecn%2F%3Fu%3D1%26v%2D2", "http%3A%2F%2Ft%2Ecn%2F%3Fu%3D1%26v%2D2"},
           {"\xFF", "%FF", "%EF%A3%B5", "%FF", "%EF%A3%B5"},
           {"\x81", "%81", "%3F", "%81", "%3F"},           // a lone lead byte is "?" in UTF-8
           {"Z9\0abc"sv, "%5A%39", "%5A%39", "Z9", "Z9"},  // the text ends at the zero byte
       }) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(UrlEncodeGbk(c.text), c.url_gbk);
    EXPECT_EQ(UrlEncodeUtf8(c.text), c.url_utf8);
    EXPECT_EQ(EncodeGbk(c.text), c.encode_gbk);
    EXPECT_EQ(EncodeUtf8(c.text), c.encode_utf8);
  }
}

TEST(PercentEncoders, KeepSafeLeavesLettersDigitsAndFourMarks) {
  EXPECT_EQ(UrlEncodeGbk(",-./azAZ09_: 中", true), ",-./azAZ09%5F%3A%20%D6%D0");
  EXPECT_EQ(UrlEncodeUtf8(",-./azAZ09_: 中", true), ",-./azAZ09%5F%3A%20%E4%B8%AD");
}

}  // namespace
}  // namespace pelrine

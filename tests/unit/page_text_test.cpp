#include "guang/page_text.h"

#include <gtest/gtest.h>

#include "fakes/fake_transport.h"
#include "net/page_fetch.h"

namespace pelrine {
namespace {

const std::string kUtf8Word = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文 in UTF-8

TEST(FetchPageText, PlainGetWithTheServiceTimeOut) {
  FakeTransport transport;
  transport.AnswerFetch("http://h/list?q=1", std::string("<p>a</p>\0junk", 13));
  EXPECT_EQ(FetchPageText(transport, "h/list?q=1"), "<p>a</p>");
  ASSERT_EQ(transport.fetches.size(), 1u);
  const FetchRequest& request = transport.fetches[0];
  EXPECT_EQ(request.url, "http://h/list?q=1");
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.timeout_seconds, 30);
  EXPECT_EQ(request.headers + request.body + request.cookies + request.proxy, "");
  EXPECT_TRUE(request.follow_redirects);
}

TEST(FetchPageText, ConvertsDeclaredUtf8AndKeepsTheTimeOutText) {
  FakeTransport transport;
  transport.AnswerFetch("http://h/u", "<head><meta charset=utf-8></head>" + kUtf8Word);
  transport.AnswerFetch("http://h/t", {.timed_out = true});
  transport.AnswerFetch("http://h/e", "");
  EXPECT_EQ(FetchPageText(transport, "http://h/u"), "<head><meta charset=utf-8></head>中文");
  EXPECT_EQ(FetchPageText(transport, "http://h/t"), kFetchTimeoutMessage);
  EXPECT_EQ(FetchPageText(transport, "http://h/e"), "");
  EXPECT_EQ(FetchPageText(transport, "http://h/nothing"), "");
  EXPECT_EQ(FetchPageText(transport, "http://h/u", 1),
            "<head><meta charset=utf-8></head>" + kUtf8Word);
}

TEST(FixPageCharset, ConvertsByDeclarationAndMode) {
  // Each page is the prefix followed by a word in UTF-8.
  struct Case {
    std::string_view prefix;
    int mode;
    bool converted;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"<HEAD><META CHARSET=UTF-8></HEAD>", 0, true},
           {"<head><meta content=\"text/html; charset=\"utf-8\"\"></head>", 0, true},
           {"no head at all charset=utf-8 ", 0, true},
           {"<head><meta charset=gbk></head>charset=utf-8 ", 0, false},
           {"<head></head>charset=utf-8 ", 0, true},  // an empty head: the whole page counts
           {"<head>charset=utf-8 ", 0, true},         // no end of head: the whole page counts
           {"<head><meta charset=utf-8></head>", 1, false},
           {"plain ", 2, true},
           {"plain ", 0, false},
           {"plain ", -1, false},
       }) {
    const std::string page = std::string(c.prefix) + kUtf8Word;
    const std::string want = std::string(c.prefix) + (c.converted ? "中文" : kUtf8Word);
    EXPECT_EQ(FixPageCharset(page, c.mode), want) << c.prefix << " mode " << c.mode;
  }
  EXPECT_EQ(FixPageCharset("e\xCC\x81", 2), "\xA8\xA6");  // e and an acute accent compose to é
}

TEST(ContainsItems, AnyOrEveryItemIgnoringCase) {
  struct Case {
    std::string_view text, items;
    bool any, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"abc DEF", "x[fg]def", true, true},
           {"abc DEF", "x[fg]y", true, false},
           {"abc DEF", "ABC[fg]def", false, true},
           {"abc DEF", "abc[fg]x", false, false},
           {"abc", "", true, false},
           {"abc", "", false, true},
           {"abc", "[fg]x", true, true},  // an empty item is found anywhere
           {"中文", "文", true, true},
           {"\xB0\x5B", "[", true, false},  // never inside a double-byte character
       })
    EXPECT_EQ(ContainsItems(c.text, c.items, c.any), c.want) << c.text << " / " << c.items;
}

}  // namespace
}  // namespace pelrine

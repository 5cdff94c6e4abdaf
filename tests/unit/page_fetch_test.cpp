#include "net/page_fetch.h"

#include <gtest/gtest.h>

#include "fakes/fake_transport.h"

namespace pelrine {
namespace {

TEST(PageFetch, BlankUrlMakesNoRequest) {
  FakeTransport transport;
  for (std::string url : {"", "   "}) {
    const PageFetchResult result = PageFetch(transport, url);
    EXPECT_EQ(result.body, "");
    EXPECT_FALSE(result.timed_out);
  }
  EXPECT_TRUE(transport.fetches.empty());
}

TEST(PageFetch, CompletesTheSchemeInTheCallersVariable) {
  struct Case {
    std::string_view url, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"host/path", "http://host/path"},
           {"http://host/", "http://host/"},
           {"https://host/", "https://host/"},
           {"HTTP://host/", "http://HTTP://host/"},  // the scheme is compared in exact case
           {" host", "http:// host"},
       }) {
    FakeTransport transport;
    std::string url(c.url);
    PageFetch(transport, url);
    EXPECT_EQ(url, c.want);
    ASSERT_EQ(transport.fetches.size(), 1u);
    EXPECT_EQ(transport.fetches[0].url, c.want);
  }
}

TEST(PageFetch, HandsTheOptionsOver) {
  FakeTransport transport;
  std::string url = "http://h/";
  PageFetch(transport, url);
  PageFetch(transport, url,
            {.method = 1,
             .proxy = "p:8080",
             .headers = "X: 1\r\n",
             .body = std::string("a\0b", 3),
             .cookies = "c=1",
             .timeout_seconds = 0,
             .follow_redirects = false});
  PageFetch(transport, url, {.method = 2, .timeout_seconds = 30});
  ASSERT_EQ(transport.fetches.size(), 3u);
  const FetchRequest& plain = transport.fetches[0];
  EXPECT_EQ(plain.method, "GET");
  EXPECT_EQ(plain.timeout_seconds, 60);
  EXPECT_TRUE(plain.follow_redirects);
  EXPECT_EQ(plain.proxy + plain.headers + plain.body + plain.cookies, "");
  const FetchRequest& post = transport.fetches[1];
  EXPECT_EQ(post.method, "POST");
  EXPECT_EQ(post.proxy, "p:8080");
  EXPECT_EQ(post.headers, "X: 1\r\n");
  EXPECT_EQ(post.body, std::string("a\0b", 3));
  EXPECT_EQ(post.cookies, "c=1");
  EXPECT_EQ(post.timeout_seconds, 0);
  EXPECT_FALSE(post.follow_redirects);
  EXPECT_EQ(transport.fetches[2].method, "GET");
  EXPECT_EQ(transport.fetches[2].timeout_seconds, 30);
}

TEST(PageFetch, ConvertsTheBodyAsAsked) {
  const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87 ok";  // 中文 ok
  const std::string big5 = "\xA4\xA4\xA4\xE5 ok";          // 中文 ok
  struct Case {
    std::string body;
    int conversion;
    std::string want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {utf8, 0, utf8},
           {utf8, 1, "中文 ok"},
           {utf8 + std::string("\0tail", 5), 1, "中文 ok"},
           {big5, 2, "中文 ok"},
           {big5 + std::string("\0tail", 5), 2, "中文 ok"},
           {std::string("raw\0bytes", 9), 3, std::string("raw\0bytes", 9)},
           {"e\xCC\x81", 1, "e?"},  // no composing of accents: U+0301 has no GBK form
       }) {
    FakeTransport transport;
    transport.AnswerFetch("http://h/", c.body);
    std::string url = "http://h/";
    EXPECT_EQ(PageFetch(transport, url, {.conversion = c.conversion}).body, c.want) << c.conversion;
  }
}

TEST(PageFetch, TimeOutGivesTheMessageUnconvertedAndNoOutputs) {
  FakeTransport transport;
  transport.AnswerFetch("http://h/", {.timed_out = true});
  std::string url = "h/";
  const PageFetchResult result = PageFetch(transport, url, {.conversion = 1});
  EXPECT_TRUE(result.timed_out);
  EXPECT_EQ(result.body, kFetchTimeoutMessage);
  EXPECT_TRUE(result.body.starts_with("超时返回，"));
  EXPECT_EQ(result.headers + result.cookies, "");
}

TEST(PageFetch, ReturnsHeadersAndReceivedCookies) {
  FakeTransport transport;
  transport.AnswerFetch(
      "http://h/",
      {.body = "page", .headers = "HTTP/1.1 404 Not Found\r\n\r\n", .cookies = "a=1;"});
  std::string url = "http://h/";
  const PageFetchResult result = PageFetch(transport, url);
  EXPECT_EQ(result.body, "page");
  EXPECT_EQ(result.headers, "HTTP/1.1 404 Not Found\r\n\r\n");
  EXPECT_EQ(result.cookies, "a=1;");
  EXPECT_FALSE(result.timed_out);
}

}  // namespace
}  // namespace pelrine

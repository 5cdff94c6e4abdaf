#include "net/http_utility.h"

#include <gtest/gtest.h>

#include "fakes/fake_transport.h"

namespace pelrine {
namespace {

TEST(UtilityUrl, DerivesHostPathAndPort) {
  struct Case {
    std::string_view url, host, path;
    long long port;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"http://DWZ.example/create.php", "dwz.example", "/create.php", 80},
           {"http://cnzz.cn:8080/v1/a.php?x=http://y", "cnzz.cn", "/v1/a.php?x=http://y", 8080},
           {"http://dwz.cn", "dwz.cn", "/", 80},
           {"dwz.cn:81/x", "dwz.cn", "/x", 81},   // no scheme: from the start
           {"https://h/x", "https", "//h/x", 0},  // https is not supported
           {"HTTP://h/x", "http", "//h/x", 0},    // the scheme is matched in exact case
           {"http://dwz.cn:/x", "dwz.cn", "/x", 0},
       }) {
    EXPECT_EQ(UtilityHost(c.url), c.host) << c.url;
    EXPECT_EQ(UtilityPath(c.url), c.path) << c.url;
    EXPECT_EQ(UtilityPort(c.url), c.port) << c.url;
  }
}

constexpr std::string_view kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

TEST(CompleteUtilityHeaders, AppendsTheMissingDefaultLinesInOrder) {
  const std::string url = "http://h/p";
  const std::string accept(kAccept);
  const std::string tail = "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n";
  struct Case {
    UtilityRequest request;
    std::string want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{.url = url}, accept + tail},
           {{.url = url, .headers = "Accept-Language: en\r\n"},  // needs "Accept: " itself
            "Accept-Language: en\r\n" + accept + "Referer: http://h/p\r\n"},
           {{.url = url, .headers = "accept: */*\r\nREFERER: x\r\n"},
            "accept: */*\r\nREFERER: x\r\nAccept-Language: zh-cn\r\n"},
           {{.url = url, .method = "post", .body = "a=1"},
            accept + tail +
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n"},
           {{.url = url, .method = "POST", .headers = "Content-Type: text/xml\r\n", .body = "ab"},
            "Content-Type: text/xml\r\n" + accept + tail + "Content-Length: 2\r\n"},
           {{.url = url, .method = "POST"}, accept + tail},
           {{.url = url, .method = "GET", .body = "a=1"}, accept + tail},
       })
    EXPECT_EQ(CompleteUtilityHeaders(c.request), c.want) << c.request.method << c.request.headers;
}

TEST(HttpUtility, PassesTheRequestWithItsTimeOut) {
  FakeTransport transport;
  HttpUtility utility(transport);
  utility.RequestBytes({.url = "http://h/a"});
  utility.RequestBytes(
      {.url = "http://h/b", .method = "POST", .body = "x=1", .timeout_seconds = 5});
  utility.RequestBytes({.url = "http://h/c", .timeout_seconds = -2});
  ASSERT_EQ(transport.requests.size(), 3u);
  EXPECT_EQ(transport.requests[0].method, "GET");
  EXPECT_EQ(transport.requests[0].timeout_seconds, 30);
  EXPECT_EQ(transport.requests[1].method, "POST");
  EXPECT_EQ(transport.requests[1].body, "x=1");
  EXPECT_EQ(transport.requests[1].timeout_seconds, 5);
  EXPECT_EQ(transport.requests[2].timeout_seconds, 30);
}

TEST(HttpUtility, TextEndsAtTheFirstZeroByteBytesDoNot) {
  FakeTransport transport;
  transport.AnswerRequest("http://h/x",
                          {.headers = "HTTP/1.1 200 OK\r\n\r\n", .body = std::string("ab\0cd", 5)});
  HttpUtility utility(transport);
  std::string headers = "old";
  EXPECT_EQ(utility.RequestText({.url = "http://h/x"}, &headers), "ab");
  EXPECT_EQ(headers, "HTTP/1.1 200 OK\r\n\r\n");
  EXPECT_EQ(utility.RequestBytes({.url = "http://h/x"}), std::string("ab\0cd", 5));
  EXPECT_EQ(utility.RequestText({.url = "http://h/none"}, &headers), "");
  EXPECT_EQ(headers, "");  // a failed request clears the caller's header text
}

}  // namespace
}  // namespace pelrine

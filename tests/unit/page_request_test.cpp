#include "net/page_request.h"

#include <gtest/gtest.h>

namespace pelrine {
namespace {

TEST(PageRequestUrl, DerivesHostPathPortAndSecurity) {
  struct Case {
    std::string_view url, host, path;
    long long port;
    bool secure;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"http://Guang.Example.com/search?q=1", "guang.example.com", "/search?q=1", 80, false},
           {"http://host:8080/a/b?c=d", "host", "/a/b?c=d", 8080, false},
           {"http://host", "host", "/", 80, false},
           {"http://host:81", "host", "/", 81, false},
           {"https://host:8443/x", "host", "/x", 0, true},    // the caller uses 443 for secure
           {"HTTPS://host/x", "https", "//host/x", 0, true},  // scheme removal is exact case
           {"http://host/jump?to=https://other/", "host", "/jump?to=https://other/", 80, true},
           {"http://host:/x", "host", "/x", 0, false},
           {"http://host:abc/x", "host", "/x", 0, false},
           {"HTTP://Host:82/x", "http", "//Host:82/x", 82,
            false},  // only the port rule ignores case
           {"http://", "", "//", 80, false},
           {"", "", "/", 80, false},
           {"http://主机.cn/路径", "主机.cn", "/路径", 80, false},
       }) {
    EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
    EXPECT_EQ(IsSecureUrl(c.url), c.secure) << c.url;
  }
}

TEST(PageRequestUrl, PathOfAHostTheUrlDoesNotHold) {
  // Removing "http://" can join pieces into a host the URL itself never spells.
  EXPECT_EQ(UrlHost("hthttp://tp.x/y"), "http.x");
  EXPECT_EQ(UrlPath("hthttp://tp.x/y"), "/");
}

TEST(RequestAgent, TakesTheCallersLineOrTheDefault) {
  struct Case {
    std::string_view headers, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"User-Agent: Test/1.0\r\nX: y\r\n", "Test/1.0"},
           {"x: 1\r\nuser-agent:   Spaced Agent  \r\n", "Spaced Agent"},
           {"User-Agent: no line end", ""},
           {"User-Agent:\r\n", ""},
       })
    EXPECT_EQ(RequestAgent(c.headers), c.want) << c.headers;
  EXPECT_TRUE(
      RequestAgent("").starts_with("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1;"));
  EXPECT_TRUE(RequestAgent("").ends_with(".NET CLR 3.5.21022)"));
}

constexpr std::string_view kAccept =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

TEST(CompleteRequestHeaders, AppendsTheMissingDefaultLinesInOrder) {
  const std::string url = "http://h/p";
  const std::string accept(kAccept);
  struct Case {
    FetchRequest request;
    std::string want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{.url = url, .method = "GET"},
            accept + "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n"},
           {{.url = url, .method = "GET", .headers = "Accept-Language: en\r\n"},
            "Accept-Language: en\r\nReferer: http://h/p\r\n"},  // "Accept" occurs in it
           {{.url = url, .method = "GET", .headers = "referer: http://x/\r\n"},
            "referer: http://x/\r\n" + accept + "Accept-Language: zh-cn\r\n"},
           {{.url = url, .method = "GET", .headers = "X: 1\r\nRefererNo"},
            "X: 1\r\n" + accept + "Accept-Language: zh-cn\r\n"},
           {{.url = url, .method = "GET", .headers = "refererno\r\n"},  // found, but not removed
            "refererno\r\n" + accept + "Accept-Language: zh-cn\r\n"},
           {{.url = url, .method = "POST"},
            accept + "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n"},
           {{.url = url, .method = "POST", .body = "a=1&b=2"},
            accept + "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n"
                     "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 7\r\n"},
           {{.url = url,
           .method = "POST",
           .headers = "content-type: text/xml\r\ncontent-length: 99\r\n",
           .body = "<x/>"},
            "content-type: text/xml\r\ncontent-length: 99\r\n" + accept +
                "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n"},
           {{.url = url, .method = "POST", .body = "中"},
            accept + "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n"
                     "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 2\r\n"},
           {{.url = url, .method = "GET", .cookies = "a=1; b=2"},
            accept + "Referer: http://h/p\r\nAccept-Language: zh-cn\r\nCookie: a=1; b=2\r\n\r\n"},
           {{.url = url, .method = "PUT", .cookies = "a=1"},
            accept + "Referer: http://h/p\r\nAccept-Language: zh-cn\r\n"},
       })
    EXPECT_EQ(CompleteRequestHeaders(c.request), c.want) << c.request.headers;
}

TEST(ResponseCookies, TakesEverySetCookieLine) {
  const std::vector<SetCookie> cookies = ResponseCookies(
      "HTTP/1.1 200 OK\r\n"
      "Set-Cookie: sid=abc; path=/; expires=Wed, 01 Jan 2031 00:00:00 GMT\r\n"
      "Content-Type: text/html\r\n"
      "set-cookie: t=1\r\n"
      "Set-Cookie: flag\r\n"
      "Set-Cookie: k=v=w;x\r\n"
      "\r\n");
  ASSERT_EQ(cookies.size(), 4u);
  struct Want {
    std::string_view name, data, pair;
  };
  const Want want[] = {
      {"sid", "abc; path=/; expires=Wed, 01 Jan 2031 00:00:00 GMT", "sid=abc"},
      {"t", "1", "t=1"},
      {"flag", "", "flag"},
      {"k", "v=w;x", "k=v=w"},
  };
  for (size_t i = 0; i < cookies.size(); ++i) {
    EXPECT_EQ(cookies[i].name, want[i].name);
    EXPECT_EQ(cookies[i].data, want[i].data);
    EXPECT_EQ(cookies[i].pair, want[i].pair);
  }
  EXPECT_EQ(ReceivedCookieText(cookies), "sid=abc;t=1;flag;k=v=w;");
}

TEST(ResponseCookies, NoneInHeadersWithoutTheLabel) {
  for (std::string_view headers : {"", "HTTP/1.1 200 OK\r\nSet-Cookie:x=1\r\n\r\n", "\r\n\r\n"})
    EXPECT_TRUE(ResponseCookies(headers).empty()) << headers;
}

}  // namespace
}  // namespace pelrine

#include "links/short_urls.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "fakes/fake_transport.h"
#include "net/code_pages.h"
#include "net/page_fetch.h"

namespace pelrine {
namespace {

using namespace std::string_view_literals;

constexpr char kDwz[] = "http://dwz.test/create.php";
constexpr char kCnzz[] = "http://cnzz.test/v1/data/link_conv/rd_dispatcher.php?orig_link=";

UtilityReply Answer(std::string_view body) {
  return {.headers = "HTTP/1.1 200 OK\r\n", .body = std::string(body)};
}

TEST(ShortenWithDwz, PostsTheAddressAndCutsTheTinyUrl) {
  struct Case {
    std::string_view answer, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {R"({"tinyurl":"http:\/\/dwz.test\/s\/abc","status":0})", "http://dwz.test/s/abc"},
           {R"({"status":-1,"err_msg":"url invalid"})", ""},
           {"<html>500 Internal Server Error</html>", ""},
           {R"({"tinyurl":"http:\/\/dwz.test\/cut)", ""},
       }) {
    FakeTransport transport;
    HttpUtility http(transport);
    transport.AnswerRequest(kDwz, Answer(c.answer));
    EXPECT_EQ(ShortenWithDwz(http, "dwz.test", "http://item.test/?a=1&b=中"), c.want) << c.answer;
    ASSERT_EQ(transport.requests.size(), 1u);
    EXPECT_EQ(transport.requests[0].method, "POST");
    EXPECT_EQ(transport.requests[0].body,
              "url=http%3A%2F%2Fitem%2Etest%2F%3Fa%3D1%26b%3D%E4%B8%AD&alias=&access_type=web");
  }
}

TEST(ShortenWithDwz, AFailedRequestGivesEmptyText) {
  FakeTransport transport;
  HttpUtility http(transport);
  EXPECT_EQ(ShortenWithDwz(http, "dwz.test", "http://item.test/1"), "");
}

TEST(ShortenWithCnzz, TakesAnAnswerOfOneWebAddressOnly) {
  struct Case {
    std::string_view answer, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"http://c.test/c/x1", "http://c.test/c/x1"},
           {" http://c.test/c/x1\r\n", "http://c.test/c/x1"},
           {"HTTPS://c.test/x", "HTTPS://c.test/x"},
           {R"({"code":1,"msg":"invalid orig_link"})", ""},
           {"<html><body>404 Not Found</body></html>", ""},
           {"http://c.test/a http://c.test/b", ""},
           {"http://c.test/<b>", ""},
           {"http://c.test/\"x", ""},
           {"ftp://c.test/x", ""},
           {"http://", ""},
           {"http:///x", ""},
           {"", ""},
       }) {
    FakeTransport transport;
    HttpUtility http(transport);
    transport.AnswerRequest(kCnzz + std::string("http%3A%2F%2Fitem%2Etest%2F%D6%D0"),
                            Answer(c.answer));
    EXPECT_EQ(ShortenWithCnzz(http, "cnzz.test", "http://item.test/中"), c.want) << c.answer;
    ASSERT_EQ(transport.requests.size(), 1u);
    EXPECT_EQ(transport.requests[0].method, "GET");
    EXPECT_TRUE(transport.requests[0].body.empty());
  }
}

// The interface group's initial values: the dwz service through the page fetch.
ShortUrlInterface InitialInterface() {
  return {.method = 1,
          .url_encoding = 1,
          .address = "http://dwz.test/create.php",
          .post_data = "url=#网址#&alias=&access_type=web",
          .left_marker = "{\"tinyurl\":\"",
          .right_marker = "\"",
          .reverse = false,
          .replace = true,
          .find_list = "\\/",
          .replacement_list = "/"};
}

TEST(ShortenWithInterface, SendsAsTheInterfaceSaysAndCutsTheAnswer) {
  struct Case {
    const char* what;
    ShortUrlInterface api;
    std::string_view long_url;
    FetchReply answer;
    std::string_view want_url, want_method, want_body, want;
  };
  const auto with = [](auto change) {
    ShortUrlInterface api = InitialInterface();
    change(api);
    return api;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"initial values: every byte of the UTF-8 form encoded, the answer from UTF-8",
            InitialInterface(),
            "http://a.b/中",
            {.body = GbkToUtf8(R"({"tinyurl":"http:\/\/dwz.test\/短","status":0})")},
            "http://dwz.test/create.php",
            "POST",
            "url=%68%74%74%70%3A%2F%2F%61%2E%62%2F%E4%B8%AD&alias=&access_type=web",
            "http://dwz.test/短"},
           {"GBK: the GBK bytes encoded, in the address; GET sends no body",
            with([](ShortUrlInterface& a) {
              a.method = 0;
              a.url_encoding = 0;
              a.address = "api.test/s?u=#网址#&again=#网址#";
              a.left_marker = "<s>";
              a.right_marker = "</s>";
            }),
            "中",
            {.body = "<s>http://api.test/1</s>"},
            "http://api.test/s?u=%D6%D0&again=%D6%D0",
            "GET",
            "",
            "http://api.test/1"},
           {"no call mode chosen: a GET without the POST data",
            with([](ShortUrlInterface& a) {
              a.method = -1;
              a.address = "http://api.test/g?u=#网址#";
            }),
            "u",
            {.body = R"({"tinyurl":"x"})"},
            "http://api.test/g?u=%75",
            "GET",
            "",
            "x"},
           {"an address without the placeholder sends nothing of the long address",
            with([](ShortUrlInterface& a) {
              a.method = 0;
              a.address = "http://api.test/fixed";
            }),
            "http://item.test/1",
            {.body = R"({"tinyurl":"x"})"},
            "http://api.test/fixed",
            "GET",
            "",
            "x"},
           {"both markers empty: the whole answer, rewritten by the lists",
            with([](ShortUrlInterface& a) {
              a.left_marker = "";
              a.right_marker = "";
            }),
            "u",
            {.body = "http:\\/\\/s.test\\/1"},
            "http://dwz.test/create.php",
            "POST",
            "url=%75&alias=&access_type=web",
            "http://s.test/1"},
           {"reverse: the last pair",
            with([](ShortUrlInterface& a) {
              a.reverse = true;
              a.left_marker = "<s>";
              a.right_marker = "</s>";
            }),
            "u",
            {.body = "<s>first</s><s>last</s>"},
            "http://dwz.test/create.php",
            "POST",
            "url=%75&alias=&access_type=web",
            "last"},
           {"two find items and one replacement: the second is deleted, either case",
            with([](ShortUrlInterface& a) {
              a.left_marker = "[";
              a.right_marker = "]";
              a.find_list = "A|b";
              a.replacement_list = "X";
            }),
            "u",
            {.body = "[aAbBc]"},
            "http://dwz.test/create.php",
            "POST",
            "url=%75&alias=&access_type=web",
            "XXc"},
           {"replace off keeps the cut as it is",
            with([](ShortUrlInterface& a) { a.replace = false; }),
            "u",
            {.body = R"({"tinyurl":"http:\/\/s"})"},
            "http://dwz.test/create.php",
            "POST",
            "url=%75&alias=&access_type=web",
            "http:\\/\\/s"},
           {"markers not found",
            InitialInterface(),
            "u",
            {.body = R"({"status":-1})"},
            "http://dwz.test/create.php",
            "POST",
            "url=%75&alias=&access_type=web",
            ""},
           {"the answer ends at its first zero byte",
            with([](ShortUrlInterface& a) {
              a.url_encoding = 0;
              a.left_marker = "<s>";
              a.right_marker = "</s>";
              a.reverse = true;
            }),
            "u",
            {.body = std::string("<s>abc</s>\0<s>zzz</s>"sv)},
            "http://dwz.test/create.php",
            "POST",
            "url=%75&alias=&access_type=web",
            "abc"},
       }) {
    FakeTransport transport;
    transport.AnswerFetch("*", c.answer);
    EXPECT_EQ(ShortenWithInterface(transport, c.long_url, c.api), c.want) << c.what;
    ASSERT_EQ(transport.fetches.size(), 1u) << c.what;
    EXPECT_EQ(transport.fetches[0].url, c.want_url) << c.what;
    EXPECT_EQ(transport.fetches[0].method, c.want_method) << c.what;
    EXPECT_EQ(transport.fetches[0].body, c.want_body) << c.what;
    EXPECT_EQ(transport.fetches[0].timeout_seconds, 60) << c.what;
  }
}

TEST(ShortenWithInterface, ATimeOutIsAFailureUnlessBothMarkersAreEmpty) {
  FakeTransport transport;
  transport.AnswerFetch("*", FetchReply{.timed_out = true});
  EXPECT_EQ(ShortenWithInterface(transport, "u", InitialInterface()), "");
  ShortUrlInterface whole = InitialInterface();
  whole.left_marker = whole.right_marker = "";
  EXPECT_EQ(ShortenWithInterface(transport, "u", whole), kFetchTimeoutMessage);
}

}  // namespace
}  // namespace pelrine

#include "links/open_platform_call.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "fakes/fake_transport.h"
#include "net/code_pages.h"

namespace pelrine {
namespace {

constexpr char kMethod[] = "taobao.taobaoke.items.get";
constexpr char kStamp[] = "2012-05-07 09:03:04";

TEST(SignOpenPlatformCall, SortsDropsEmptyPairsSignsRawAndEncodesTheBody) {
  struct Case {
    std::string_view parameters, want_signing_text, want_signature, want_body;
  };
  for (const Case& c : std::initializer_list<Case>{
           // The affiliate search: "page_no" before "page_size", "pid" after
           // both, "sign_method" before "sort", "v" last; the keyword as raw
           // UTF-8 bytes in the signing text and encoded in the body.
           {"&keyword=连衣裙&pid=mm_1_2_3&fields=click_url&sort=commissionNum_desc&page_size=1&"
            "page_no=1",
            "Sapp_key58316047fieldsclick_urlformatxmlkeyword\xE8\xBF\x9E\xE8\xA1\xA3\xE8\xA3\x99"
            "methodtaobao.taobaoke.items.getpage_no1page_size1pidmm_1_2_3sign_methodmd5"
            "sortcommissionNum_desctimestamp2012-05-07 09:03:04v2.0S",
            "E777ACB0558729E22CA36BAB043CE91B",
            "app_key=58316047&fields=click_url&format=xml&keyword=%E8%BF%9E%E8%A1%A3%E8%A3%99&"
            "method=taobao.taobaoke.items.get&page_no=1&page_size=1&pid=mm_1_2_3&sign_method=md5&"
            "sort=commissionNum_desc&timestamp=2012-05-07%2009%3A03%3A04&v=2.0&"
            "sign=E777ACB0558729E22CA36BAB043CE91B"},
           // An empty keyword is in neither the signing text nor the body.
           {"&keyword=&pid=1",
            "Sapp_key58316047formatxmlmethodtaobao.taobaoke.items.getpid1sign_methodmd5"
            "timestamp2012-05-07 09:03:04v2.0S",
            "0915403B003E1A5BF35951B816D7F288",
            "app_key=58316047&format=xml&method=taobao.taobaoke.items.get&pid=1&sign_method=md5&"
            "timestamp=2012-05-07%2009%3A03%3A04&v=2.0&sign=0915403B003E1A5BF35951B816D7F288"},
           // A piece without a name is dropped like one without a value.
           {"=orphan&pid=1",
            "Sapp_key58316047formatxmlmethodtaobao.taobaoke.items.getpid1sign_methodmd5"
            "timestamp2012-05-07 09:03:04v2.0S",
            "0915403B003E1A5BF35951B816D7F288",
            "app_key=58316047&format=xml&method=taobao.taobaoke.items.get&pid=1&sign_method=md5&"
            "timestamp=2012-05-07%2009%3A03%3A04&v=2.0&sign=0915403B003E1A5BF35951B816D7F288"},
           // A value holding "&" is cut there; the rest is a piece of its own
           // ("b", without a value, dropped).
           {"keyword=a&b&pid=1",
            "Sapp_key58316047formatxmlkeywordamethodtaobao.taobaoke.items.getpid1"
            "sign_methodmd5timestamp2012-05-07 09:03:04v2.0S",
            "868C9C18CC4C751F113B78253606D82F",
            "app_key=58316047&format=xml&keyword=a&method=taobao.taobaoke.items.get&pid=1&"
            "sign_method=md5&timestamp=2012-05-07%2009%3A03%3A04&v=2.0&"
            "sign=868C9C18CC4C751F113B78253606D82F"},
           // "+", "%" and a blank are signed as they are and encoded in the
           // body, so the gateway decodes the signed value; a second "=" ends
           // the value.
           {"keyword=a+b%c d=e&pid=1",
            "Sapp_key58316047formatxmlkeyworda+b%c dmethodtaobao.taobaoke.items.getpid1"
            "sign_methodmd5timestamp2012-05-07 09:03:04v2.0S",
            "1C74E4DC51D3085D6609EB003EA5B727",
            "app_key=58316047&format=xml&keyword=a%2Bb%25c%20d&method=taobao.taobaoke.items.get&"
            "pid=1&sign_method=md5&timestamp=2012-05-07%2009%3A03%3A04&v=2.0&"
            "sign=1C74E4DC51D3085D6609EB003EA5B727"},
           // Upper case sorts before lower case.
           {"Zeta=1&pid=1",
            "SZeta1app_key58316047formatxmlmethodtaobao.taobaoke.items.getpid1sign_methodmd5"
            "timestamp2012-05-07 09:03:04v2.0S",
            "D31B5AD2F994AE41CCE66B565320D9F4",
            "Zeta=1&app_key=58316047&format=xml&method=taobao.taobaoke.items.get&pid=1&"
            "sign_method=md5&timestamp=2012-05-07%2009%3A03%3A04&v=2.0&"
            "sign=D31B5AD2F994AE41CCE66B565320D9F4"},
           // Pairs of one name keep their order.
           {"pid=2&pid=1",
            "Sapp_key58316047formatxmlmethodtaobao.taobaoke.items.getpid2pid1sign_methodmd5"
            "timestamp2012-05-07 09:03:04v2.0S",
            "F7EA9FE961C248F9CF033CE15173F565",
            "app_key=58316047&format=xml&method=taobao.taobaoke.items.get&pid=2&pid=1&"
            "sign_method=md5&timestamp=2012-05-07%2009%3A03%3A04&v=2.0&"
            "sign=F7EA9FE961C248F9CF033CE15173F565"},
       }) {
    const SignedCall call = SignOpenPlatformCall("58316047", "S", kMethod, c.parameters, kStamp);
    EXPECT_EQ(call.signing_text, c.want_signing_text) << c.parameters;
    EXPECT_EQ(call.signature, c.want_signature) << c.parameters;
    EXPECT_EQ(call.body, c.want_body) << c.parameters;
  }
}

TEST(OpenPlatformTimestamp, IsDateAndTimeWithTwoDigitFields) {
  const std::string stamp = OpenPlatformTimestamp();
  ASSERT_EQ(stamp.size(), 19u) << stamp;
  for (size_t i = 0; i < stamp.size(); ++i) {
    const char want = i == 4 || i == 7 ? '-' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : '0';
    if (want == '0')
      EXPECT_TRUE(stamp[i] >= '0' && stamp[i] <= '9') << stamp;
    else
      EXPECT_EQ(stamp[i], want) << stamp;
  }
}

TEST(StripEscapedMarkup, RemovesEscapedTagsAndTheirBracketsOnly) {
  struct Case {
    std::string_view response, want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"<click_url>http://h/click?e=1&lt;wbr&gt;&amp;pid=2&lt;wbr&gt;&amp;unid=0</click_url>",
            "<click_url>http://h/click?e=1&pid=2&unid=0</click_url>"},
           {"<title>&lt;span class=H&gt;连衣裙&lt;/span&gt; 新款</title>",
            "<title>连衣裙 新款</title>"},
           {"a＜b＞c＜d＞e", "ace"},          // full-width brackets sent as text
           {"a＜b\n＞c", "a＜b\n＞c"},        // a pair across a line break stays
           {"x &lt; y", "x ＜ y"},            // an unpaired bracket stays, full-width
           {"&AMP;&Amp;", "&AMP;&Amp;"},      // "amp;" in its exact case only
           {"<a>&amp;amp;</a>", "<a>&</a>"},  // every "amp;"
           {"", ""},
       })
    EXPECT_EQ(StripEscapedMarkup(c.response), c.want) << c.response;
}

TEST(StripEscapedMarkup, TakesTheNearestClosingBracketInALongAnswer) {
  std::string response, want;
  for (int i = 0; i < 200; ++i) {
    response +=
        "<item><title>&lt;span&gt;女装" + std::to_string(i) + "&lt;/span&gt;</title></item>";
    want += "<item><title>女装" + std::to_string(i) + "</title></item>";
  }
  EXPECT_EQ(StripEscapedMarkup(response), want);
}

class OpenPlatformCallTest : public ::testing::Test {
 protected:
  FakeTransport transport;
  HttpUtility http{transport};
  OpenPlatformGateway gateway{http, "gw.test:8080", [] { return std::string(kStamp); }};
};

TEST_F(OpenPlatformCallTest, WithoutKeyOrSecretSendsNothing) {
  EXPECT_EQ(OpenPlatformCall(gateway, "", "S", kMethod, "&keyword=a"), "");
  EXPECT_EQ(OpenPlatformCall(gateway, "58316047", "", kMethod, "&keyword=a"), "");
  EXPECT_TRUE(transport.requests.empty());
}

TEST_F(OpenPlatformCallTest, PostsTheSignedFormAndAnswersGbkStripped) {
  transport.AnswerRequest(
      "http://gw.test:8080/router/rest?",
      {.headers = "HTTP/1.1 200 OK\r\n",
       .body = GbkToUtf8("<r><title>&lt;b&gt;连衣裙&lt;/b&gt;</title><click_url>http://c/?a=1"
                         "&amp;b=2</click_url></r>")});
  EXPECT_EQ(OpenPlatformCall(gateway, "58316047", "S", kMethod, "&keyword=&pid=1"),
            "<r><title>连衣裙</title><click_url>http://c/?a=1&b=2</click_url></r>");
  ASSERT_EQ(transport.requests.size(), 1u);
  const UtilityRequest& sent = transport.requests[0];
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.body,
            "app_key=58316047&format=xml&method=taobao.taobaoke.items.get&pid=1&sign_method=md5&"
            "timestamp=2012-05-07%2009%3A03%3A04&v=2.0&sign=0915403B003E1A5BF35951B816D7F288");
  EXPECT_EQ(sent.timeout_seconds, 30);
  EXPECT_TRUE(sent.proxy.empty() && sent.headers.empty());
}

TEST_F(OpenPlatformCallTest, AFailedRequestGivesEmptyText) {
  EXPECT_EQ(OpenPlatformCall(gateway, "58316047", "S", kMethod, "&keyword=a"), "");
  EXPECT_EQ(transport.requests.size(), 1u);
}

}  // namespace
}  // namespace pelrine

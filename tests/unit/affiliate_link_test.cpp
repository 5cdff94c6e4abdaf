#include "links/affiliate_link.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_transport.h"
#include "net/code_pages.h"

namespace pelrine {
namespace {

constexpr char kGateway[] = "http://gw.test/router/rest?";
constexpr char kFallback[] = "http://promotion.test/channel";

class SeparatorBox final : public TagSeparatorBox {
 public:
  std::string TagSeparator() override {
    ++reads;
    return separator;
  }
  std::string separator = ",";
  int reads = 0;
};

// The keyword a form body carries, as GBK; "<none>" when it carries none.
std::string SentKeyword(std::string_view body) {
  const size_t at = ("&" + std::string(body)).find("&keyword=");
  if (at == std::string::npos) return "<none>";
  const std::string_view value = body.substr(at + 8, body.find('&', at + 8) - (at + 8));
  std::string bytes;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size()) {
      bytes += static_cast<char>(std::stoi(std::string(value.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      bytes += value[i];
    }
  }
  return Utf8ToGbk(bytes);
}

class AffiliateLinkTest : public ::testing::Test {
 protected:
  // The gateway answers `misses` searches without an item, then one with.
  void FindOnQuery(int misses, std::string_view click_url = "http://click.test/?e=1") {
    for (int i = 0; i < misses; ++i)
      transport.AnswerRequest(kGateway, {.headers = "HTTP/1.1 200 OK\r\n",
                                         .body = "<r><total_results>0</total_results></r>"});
    transport.AnswerRequest(
        kGateway, {.headers = "HTTP/1.1 200 OK\r\n",
                   .body = "<r><click_url>" + std::string(click_url) + "</click_url></r>"});
  }
  std::string Link(std::string_view title, std::string_view tags, std::string_view album,
                   std::string_view key = "58316047") {
    return AffiliateLink(gateway, key, "S", "mm_1_2_3", title, tags, album, separator, kFallback);
  }
  std::vector<std::string> Keywords() const {
    std::vector<std::string> keywords;
    for (const UtilityRequest& request : transport.requests)
      keywords.push_back(SentKeyword(request.body));
    return keywords;
  }

  FakeTransport transport;
  HttpUtility http{transport};
  OpenPlatformGateway gateway{http, "gw.test", [] { return std::string("2012-05-07 09:03:04"); }};
  SeparatorBox separator;
};

TEST_F(AffiliateLinkTest, QueriesTitleThenTagsThenAlbumUntilOneFinds) {
  struct Case {
    std::string_view title, tags, album;
    int misses;  // searches before the one that finds; large: none finds
    std::vector<std::string> want_keywords;
    std::string_view want_link;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"红色 连衣裙 夏", "t1,t2", "al", 0, {"红色 连衣裙 夏"}, "http://click.test/?e=1"},
           {"红色 连衣裙 夏",
            "t1,t2",
            "al",
            2,
            {"红色 连衣裙 夏", "红色", "连衣裙"},
            "http://click.test/?e=1"},
           {"红色 连衣裙 夏",
            "t1,t2",
            "al",
            99,
            {"红色 连衣裙 夏", "红色", "连衣裙", "夏", "t1,t2", "t1", "t2", "al"},
            kFallback},
           // A title without blanks is queried whole and as its one piece.
           {"连衣裙", "", "", 99, {"连衣裙", "连衣裙"}, kFallback},
           // Empty pieces between separators are queried without a keyword;
           // the empty piece after the last separator is not.
           {"", "t1,,t2,", "", 99, {"t1,,t2,", "t1", "<none>", "t2"}, kFallback},
           {"", "", "al", 0, {"al"}, "http://click.test/?e=1"},
           {"", "", "", 0, {}, kFallback},
       }) {
    transport = FakeTransport();
    FindOnQuery(c.misses);
    EXPECT_EQ(Link(c.title, c.tags, c.album), c.want_link) << c.title << c.misses;
    EXPECT_EQ(Keywords(), c.want_keywords) << c.title << c.misses;
  }
}

TEST_F(AffiliateLinkTest, ReadsTheTagSeparatorWhenTheTagStageStarts) {
  FindOnQuery(99);
  separator.separator = "|";
  Link("a", "x|y,z", "");
  EXPECT_EQ(Keywords(), (std::vector<std::string>{"a", "a", "x|y,z", "x", "y,z"}));
  EXPECT_EQ(separator.reads, 1);

  transport = FakeTransport();
  FindOnQuery(0);
  separator.reads = 0;
  Link("a", "x|y,z", "");
  EXPECT_EQ(separator.reads, 0) << "found by the title: no tag stage";
}

TEST_F(AffiliateLinkTest, SendsTheItemSearchAndCleansTheLink) {
  FindOnQuery(0, "http://click.test/?e=1&amp;pid=mm_1&lt;wbr&gt;&amp;unid=0");
  EXPECT_EQ(Link("裙", "", ""), "http://click.test/?e=1&pid=mm_1&unid=0");
  ASSERT_EQ(transport.requests.size(), 1u);
  const std::string& body = transport.requests[0].body;
  for (std::string_view pair :
       {"method=taobao.taobaoke.items.get", "pid=mm_1_2_3", "fields=click_url",
        "sort=commissionNum_desc", "page_size=1", "page_no=1", "app_key=58316047"})
    EXPECT_NE(body.find(pair), std::string::npos) << pair << " in " << body;
}

TEST_F(AffiliateLinkTest, WithoutKeyFallsBackWithoutTraffic) {
  FindOnQuery(0);
  EXPECT_EQ(Link("裙 子", "t", "al", ""), kFallback);
  EXPECT_TRUE(transport.requests.empty());
}

TEST_F(AffiliateLinkTest, GatewayErrorsAndBrokenAnswersMoveOn) {
  for (std::string_view body :
       {"<error_response><code>25</code><msg>Invalid Signature</msg></error_response>",
        "<html><body>502 Bad Gateway</body></html>", "<r><click_url>http://cut.test/", ""}) {
    transport = FakeTransport();
    transport.AnswerRequest(kGateway,
                            {.headers = "HTTP/1.1 200 OK\r\n", .body = std::string(body)});
    EXPECT_EQ(Link("a b", "t", "al"), kFallback) << body;
    EXPECT_EQ(transport.requests.size(), 6u) << body;
  }
}

}  // namespace
}  // namespace pelrine

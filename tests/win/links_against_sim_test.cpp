// The link services of the program against guang-sim, whose address
// scripts/with-guang-sim passes in PELRINE_GUANG_SIM; without it the tests
// skip.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "links/open_platform_call.h"
#include "links/service_links.h"
#include "net/page_fetch.h"
#include "net/wininet_transport.h"
#include "run/run_buttons.h"
#include "unit/memory_file_system.h"
#include "unit/run_fakes.h"

namespace pelrine {
namespace {

constexpr char kKey[] = "58316047";
constexpr char kSecret[] = "9f4be07c15d2a86e3b71c0d94a5e2f68";

class LinksAgainstSim : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* address = std::getenv("PELRINE_GUANG_SIM");
    if (!address || !*address) GTEST_SKIP() << "no guang-sim: run through scripts/with-guang-sim";
    sim = address;
    hosts = {sim, sim, sim, sim, sim, "http://" + sim + "/item.htm?id=channel"};
  }
  ShortUrlInterface SimInterface() const {
    return {.method = 1,
            .url_encoding = 1,
            .address = "http://" + sim + "/api/shorten",
            .post_data = "longurl=#网址#",
            .left_marker = "<short_url>",
            .right_marker = "</short_url>",
            .reverse = false,
            .replace = false,
            .find_list = "",
            .replacement_list = ""};
  }
  // The page an address finally leads to; "" unless it answers 200.
  std::string Follow(std::string url) {
    const PageFetchResult page = PageFetch(transport, url);
    return page.headers.find(" 200 ") == std::string::npos ? "" : page.body;
  }

  std::string sim;
  ServiceHosts hosts;
  NoEvents events;
  WinInetTransport transport{events};
  FakeRunWindow separator;  // its tag separator is ","
};

TEST_F(LinksAgainstSim, AffiliateAndShortLinksLeadToTheItem) {
  ServiceLinks links(transport, hosts);
  const std::string link = links.AffiliateLink(kKey, kSecret, "mm_1_2_3", "连衣裙 女装 雪纺",
                                               "夏季,新款", "专辑", separator);
  ASSERT_EQ(link.find("http://" + sim + "/click?e="), 0u) << link;
  const std::string item = Follow(link);
  ASSERT_FALSE(item.empty()) << link;

  struct Case {
    std::string short_url, path;
  };
  for (const Case& c : std::initializer_list<Case>{
           {links.ShortenWithDwz(link), "/s/"},
           {links.ShortenWithCnzz(link), "/c/"},
           {links.ShortenWithInterface(link, SimInterface()), "/u/"},
       }) {
    EXPECT_EQ(c.short_url.find("http://" + sim + c.path), 0u) << c.short_url;
    EXPECT_EQ(Follow(c.short_url), item) << c.short_url;
  }
}

TEST_F(LinksAgainstSim, AWrongSecretGivesTheFallbackLink) {
  ServiceLinks links(transport, hosts);
  EXPECT_EQ(
      links.AffiliateLink(kKey, "wrong", "mm_1_2_3", "连衣裙 女装", "夏季", "专辑", separator),
      hosts.promotion_link);
}

TEST_F(LinksAgainstSim, KeywordsWithFormCharactersKeepTheSignatureValid) {
  HttpUtility http(transport);
  const OpenPlatformGateway gateway{http, sim, OpenPlatformTimestamp};
  for (const char* keyword : {"a+b", "100%", "x y", "连衣裙+女装%20"}) {
    const std::string answer = OpenPlatformCall(
        gateway, kKey, kSecret, "taobao.taobaoke.items.get",
        std::string("&keyword=") + keyword + "&pid=mm_1&fields=click_url&page_size=1&page_no=1");
    EXPECT_NE(answer.find("<taobaoke_items_get_response>"), std::string::npos)
        << keyword << ": " << answer;
  }
}

TEST_F(LinksAgainstSim, ACollectRunWritesShortBuyLinks) {
  for (const auto& [option, path] : {std::pair{1, "/s/"}, {2, "/c/"}, {3, "/u/"}}) {
    FakeRunWindow window;
    window.content_templates = "#购买#";
    window.convert_links = true;
    window.app_key = kKey;
    window.app_secret = kSecret;
    window.short_url_option = option;
    window.short_url_interface = SimInterface();
    SeededRandom random{1};
    ScriptedShareSource source{window, random};
    source.pages = {{"w", {{1, 2}}}};
    source.adjust_share = [](ShareRecord& share) {
      share.itemTitle = "连衣裙 女装 雪纺 " + share.shareId;
      share.tags = "夏季,新款";
    };
    ServiceLinks links(transport, hosts);
    FakePictures pictures;
    MemoryFileSystem files;
    files.directories = {"C:\\out"};
    CountingSleeper sleeper;
    RunButtons buttons({{source, links, pictures, files, random, sleeper}, window});
    buttons.OnCollectClick();

    ASSERT_EQ(files.files.size(), 1u) << option;
    const std::string article = files.files.begin()->second;
    const std::string start = "http://" + sim + path;
    EXPECT_EQ(article.find(start), 0u) << option << ": " << article;
    EXPECT_NE(article.find("\r\n" + start), std::string::npos) << option << ": " << article;
  }
}

}  // namespace
}  // namespace pelrine

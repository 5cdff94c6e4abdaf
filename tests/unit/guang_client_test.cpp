#include "guang/guang_client.h"

#include <gtest/gtest.h>

#include "fakes/fake_transport.h"
#include "net/page_fetch.h"
#include "scripted_random.h"

namespace pelrine {
namespace {

const ServiceHosts kHosts{.guang = "guang.test:81", .comment = "cc.test"};
const std::string kSearch =
    "http://guang.test:81/search/ajax/"
    "get_search_source.json?page_size=6&cpage=1&_input_charset=utf-"
    "8&cat_id=0&sort=1&type=0&q=%25%36%31";

std::string ListedShare(std::string_view uid, std::string_view aid, std::string_view rid) {
  return "{\"bought\":0,\"uid\":" + std::string(uid) +
         ",\"nick\":\"n\",\"favContAlbumId\":" + std::string(aid) + ",\"rid\":" + std::string(rid) +
         ",\"picUrl\":\"http://img.test/p.jpg\",\"width\":310,\"height\":400}";
}

std::string Listing(std::initializer_list<std::string> shares) {
  std::string list;
  for (const std::string& share : shares) list += (list.empty() ? "" : ",") + share;
  return "{\"status\":{\"code\":200},\"data\":{\"list\":[" + list + "]}}";
}

std::string AlbumUrl(std::string_view sid, std::string_view uid, std::string_view aid) {
  return "http://guang.test:81/detail/ajax/album.json?sid=" + std::string(sid) +
         "&uid=" + std::string(uid) + "&aid=" + std::string(aid);
}

std::string DetailUrl(std::string_view uid, std::string_view sid) {
  return "http://guang.test:81/detail/index.htm?uid=" + std::string(uid) +
         "&sid=" + std::string(sid);
}

// An album listing holding one entry per share id, each with its own values.
std::string Album(std::initializer_list<std::string_view> ids) {
  std::string list;
  for (std::string_view id : ids)
    list +=
        (list.empty() ? "" : ",") +
        ("{\"actionType\":1,\"appId\":7" + std::string(id) + ",\"coverUrl\":\"http://img.test/" +
         std::string(id) + ".jpg\",\"description\":\"描述" + std::string(id) +
         "\",\"id\":" + std::string(id) + ",\"tagList\":[\"甲\",\"乙\"],\"userId\":11}");
  return "{\"status\":200,\"data\":{\"list\":[" + list + "]}}";
}

struct StatusLog final : StatusLabel {
  void SetStatusText(std::string_view text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

class GuangClientTest : public ::testing::Test {
 protected:
  std::vector<ShareRecord> Collect(std::string_view templates, std::string_view word = "a",
                                   int page = 1, int comment_count = 10) {
    return client.CollectSearchPage(templates, word, 0, 1, 0, page, words1, words2, separator,
                                    comment_count, &status);
  }
  std::vector<std::string> Urls() const {
    std::vector<std::string> urls;
    for (const FetchRequest& request : transport.fetches) urls.push_back(request.url);
    return urls;
  }

  FakeTransport transport;
  ScriptedRandom random{{}};
  GuangClient client{transport, kHosts, random};
  InsertWordList words1, words2;
  std::string separator = ",";
  StatusLog status;
};

TEST_F(GuangClientTest, SearchRequestEncodesTheWordTwiceAndSendsTheQueryInOrder) {
  struct Case {
    std::string_view word;
    int type, sort, category, page;
    std::string query;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a", 0, 1, 0, 2,
            "page_size=6&cpage=2&_input_charset=utf-8&cat_id=0&sort=1&type=0&q=%25%36%31"},
           {"裙 A", 3, 2, 20, 1,
            "page_size=6&cpage=1&_input_charset=utf-8&cat_id=20&sort=2&type=3&q=%25%43%38%25%42%39%"
            "25%32%30%25%34%31"},
           {"", 1, 1, 5, 12, "page_size=6&cpage=12&_input_charset=utf-8&cat_id=5&sort=1&type=1&q="},
       }) {
    FakeTransport fresh;
    GuangClient other(fresh, kHosts, random);
    other.CollectSearchPage("", c.word, c.type, c.sort, c.category, c.page, words1, words2,
                            separator, 10, nullptr);
    ASSERT_EQ(fresh.fetches.size(), 1u) << c.word;
    EXPECT_EQ(fresh.fetches[0].url,
              "http://guang.test:81/search/ajax/get_search_source.json?" + c.query)
        << c.word;
    EXPECT_EQ(fresh.fetches[0].method, "GET");
    EXPECT_EQ(fresh.fetches[0].timeout_seconds, 30);
  }
}

TEST_F(GuangClientTest, ReadsEveryFieldOfAShareWithEverythingTheTemplatesAsk) {
  transport.AnswerFetch(kSearch, Listing({ListedShare("11", "44", "22")}));
  transport.AnswerFetch(
      AlbumUrl("22", "11", "44"),
      "{\"list\":[{\"actionType\":1,\"appId\":33,\"coverUrl\":\"http:\\/\\/img.test\\/p.jpg\","
      "\"createTimeStr\":\"2012-03-05\",\"description\":\"说&quot;好&quot;\",\"favorCount\":5,"
      "\"flowerCount\":6,\"id\":22,\"nick\":\"小美\",\"shitCount\":7,\"tagList\":[\"秋装\","
      "\"连衣裙\"],\"item\":{\"title\":\"裙&amp;衫\",\"url\":\"http://item.test/9\",\"price\":"
      "\"9.90\"},\"userId\":11}]}");
  const std::string first_comments =
      "http://cc.test/json/cc_list.htm?rec_user_id=11&page_size=10&target_key=22&app_id=33";
  const std::string second_comments =
      "http://cc.test/json/cc_list.htm?rec_user_id=11&page_size=10&target_key=22_2&app_id=33";
  transport.AnswerFetch(first_comments, "render({\"html\":\"<div>\\u8fd8\\u6ca1<\\/div>\"})");
  transport.AnswerFetch(second_comments,
                        "render({\"html\":\"<ul class=\\\"cc\\\"><li><p class=\\\"t\\\"><a>x<\\/"
                        "a> \\u597d &amp; \\u7f8e <\\/p><\\/li><\\/ul>\"})");
  transport.AnswerFetch(DetailUrl("11", "22"),
                        "<head><meta charset=\"gbk\"></head><h3 class=\"album__title\"><a "
                        "href=\"/a\">秋 冬</a></h3>");
  words1 = InsertWordList::FromText("甲\r\n乙\r\n丙");
  words2 = InsertWordList::FromText("丁");
  random = ScriptedRandom({2, 0});
  separator = "";

  const std::vector<ShareRecord> shares = Collect("#评论##专辑#<p>#插入词1##插入词2#</p>");

  EXPECT_EQ(shares, (std::vector<ShareRecord>{{.pageUrl = DetailUrl("11", "22"),
                                               .pictureUrl = "http:\\/\\/img.test\\/p.jpg",
                                               .date = "2012-03-05",
                                               .description = "说\"好\"",
                                               .likeCount = "5",
                                               .flowerCount = "6",
                                               .eggCount = "7",
                                               .nick = "小美",
                                               .tags = "秋装,连衣裙",
                                               .comments = "好 & 美",
                                               .itemTitle = "裙&amp;衫",
                                               .itemUrl = "http://item.test/9",
                                               .price = "9.90",
                                               .album = "秋冬",
                                               .insertWord1 = "丙",
                                               .insertWord2 = "丁",
                                               .shareId = "22"}}));
  EXPECT_EQ(separator, ",");
  EXPECT_EQ(Urls(), (std::vector<std::string>{kSearch, AlbumUrl("22", "11", "44"), first_comments,
                                              second_comments, DetailUrl("11", "22")}));
  EXPECT_EQ(status.texts, (std::vector<std::string>{
                              "搜索 a(1)..",
                              "搜索词：a (1)..正在访问页面 (1).." + DetailUrl("11", "22"),
                          }));
}

TEST_F(GuangClientTest, TemplatesWithoutMarkersFetchOnlyListingAndAlbums) {
  transport.AnswerFetch(kSearch, Listing({ListedShare("11", "44", "22")}));
  transport.AnswerFetch(AlbumUrl("22", "11", "44"), Album({"22"}));
  words1 = InsertWordList::FromText("甲");
  const std::vector<ShareRecord> shares = Collect("#评论 #专辑# is not #插入词1 #描述#");
  ASSERT_EQ(shares.size(), 1u);
  EXPECT_EQ(shares[0].comments, "");
  EXPECT_EQ(shares[0].insertWord1, "");
  EXPECT_EQ(shares[0].album, "默认专辑");  // "#专辑#" is there; the page is not
  EXPECT_EQ(Urls(),
            (std::vector<std::string>{kSearch, AlbumUrl("22", "11", "44"), DetailUrl("11", "22")}));

  transport.fetches.clear();
  EXPECT_EQ(Collect("#描述#")[0].album, "");
  EXPECT_EQ(Urls(), (std::vector<std::string>{kSearch, AlbumUrl("22", "11", "44")}));
}

TEST_F(GuangClientTest, ASharMissingFromItsAlbumIsSkippedAndStillCounted) {
  transport.AnswerFetch(kSearch,
                        Listing({ListedShare("1", "9", "101"), ListedShare("2", "9", "102"),
                                 ListedShare("3", "9", "103")}));
  transport.AnswerFetch(AlbumUrl("101", "1", "9"), Album({"100", "101"}));
  transport.AnswerFetch(AlbumUrl("102", "2", "9"), Album({"1025", "100"}));  // only a longer id
  transport.AnswerFetch(AlbumUrl("103", "3", "9"), Album({"1030", "103"}));
  const std::vector<ShareRecord> shares = Collect("");
  ASSERT_EQ(shares.size(), 2u);
  EXPECT_EQ(shares[0].shareId, "101");
  EXPECT_EQ(shares[0].description, "描述101");
  EXPECT_EQ(shares[1].shareId, "103");
  EXPECT_EQ(shares[1].pictureUrl, "http://img.test/103.jpg") << "not the entry of 1030";
  ASSERT_EQ(status.texts.size(), 4u);
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(status.texts[static_cast<size_t>(n)],
              "搜索词：a (1)..正在访问页面 (" + std::to_string(n) + ").." +
                  DetailUrl(std::to_string(n), "10" + std::to_string(n)));
}

TEST_F(GuangClientTest, CommentCountBelowOneAsksForTen) {
  struct Case {
    int count;
    const char* page_size;
  };
  for (const Case& c : std::initializer_list<Case>{{0, "10"}, {-3, "10"}, {1, "1"}, {25, "25"}}) {
    FakeTransport fresh;
    GuangClient other(fresh, kHosts, random);
    fresh.AnswerFetch(kSearch, Listing({ListedShare("11", "44", "22")}));
    fresh.AnswerFetch(AlbumUrl("22", "11", "44"), Album({"22"}));
    other.CollectSearchPage("#评论#", "a", 0, 1, 0, 1, words1, words2, separator, c.count, nullptr);
    ASSERT_EQ(fresh.fetches.size(), 4u);
    EXPECT_EQ(fresh.fetches[2].url, std::string("http://cc.test/json/cc_list.htm?rec_user_id=11&"
                                                "page_size=") +
                                        c.page_size + "&target_key=22&app_id=722")
        << c.count;
  }
}

TEST_F(GuangClientTest, NoStatusLabelChangesNothingElse) {
  transport.AnswerFetch(kSearch, Listing({ListedShare("11", "44", "22")}));
  transport.AnswerFetch(AlbumUrl("22", "11", "44"), Album({"22"}));
  const std::vector<ShareRecord> with_label = Collect("#专辑#");
  const std::vector<ShareRecord> without =
      client.CollectSearchPage("#专辑#", "a", 0, 1, 0, 1, words1, words2, separator, 10, nullptr);
  EXPECT_EQ(with_label, without);
  EXPECT_EQ(with_label.size(), 1u);
  EXPECT_EQ(status.texts.size(), 2u);
  EXPECT_EQ(transport.fetches.size(), 6u);
}

TEST_F(GuangClientTest, InsertWordsOnlyFromListsWithWords) {
  transport.AnswerFetch(kSearch, Listing({ListedShare("1", "9", "5"), ListedShare("1", "9", "6")}));
  transport.AnswerFetch(AlbumUrl("5", "1", "9"), Album({"5"}));
  transport.AnswerFetch(AlbumUrl("6", "1", "9"), Album({"6"}));
  words1 = InsertWordList::FromText("甲\r\n乙");
  random = ScriptedRandom({0, 0});  // 甲 first, then the one left
  const std::vector<ShareRecord> shares = Collect("#插入词1##插入词2#");
  ASSERT_EQ(shares.size(), 2u);
  EXPECT_EQ(shares[0].insertWord1, "甲");
  EXPECT_EQ(shares[1].insertWord1, "乙");
  EXPECT_EQ(shares[0].insertWord2 + shares[1].insertWord2, "");
}

// Listings the service should never send: each gives the listed records,
// never a crash or an endless walk.
TEST_F(GuangClientTest, BadListingsGiveWhatTheirEntriesHold) {
  struct Case {
    const char* what;
    FetchReply reply;
    size_t records;
    size_t requests;
  };
  const std::string one = ListedShare("1", "9", "5");
  const std::string big = "{\"bought\":0,\"uid\":1,\"favContAlbumId\":9,\"rid\":5," +
                          std::string(5 << 20, 'x') + "\"width\":1}";
  std::string many(5 << 20, ' ');
  for (size_t at = 0; at + one.size() < many.size(); at += 1 << 16)
    many.replace(at, one.size(), one);
  for (const Case& c : std::initializer_list<Case>{
           {"time-out", {.timed_out = true}, 0, 1},
           {"empty body", {}, 0, 1},
           {"no markers", {.body = "<html>系统繁忙</html>"}, 0, 1},
           {"end marker before the opening",
            {.body = "\"width\":1,{\"bought\":0,\"rid\":5,"},
            0,
            1},
           {"an entry with nothing in it", {.body = "{\"bought\":\"width\":" + one}, 0, 1},
           {"a banner without the opening, then a share",
            {.body = "{\"type\":\"banner\",\"rid\":0,\"width\":980}," + one},
            1,
            2},
           {"a share without keys", {.body = "{\"bought\":0,\"width\":310}"}, 0, 2},
           {"an entry of 5 MB", {.body = big}, 1, 2},
           {"5 MB listing of many shares", {.body = many}, 80, 81},
           {"a lead byte swallows the opening brace",
            {.body = "\x81{\"bought\":0,\"uid\":1,\"favContAlbumId\":9,\"rid\":5,\"width\":"},
            0,
            1},
           {"broken bytes inside an entry",
            {.body = "{\"bought\":\xFE\"uid\":1,\"favContAlbumId\":9,\"rid\":5,\x80\xFF\"width\":"},
            1,
            2},
       }) {
    FakeTransport fresh;
    GuangClient other(fresh, kHosts, random);
    fresh.AnswerFetch(kSearch, c.reply);
    fresh.AnswerFetch(AlbumUrl("5", "1", "9"), Album({"5"}));
    EXPECT_EQ(
        other.CollectSearchPage("", "a", 0, 1, 0, 1, words1, words2, separator, 10, nullptr).size(),
        c.records)
        << c.what;
    EXPECT_EQ(fresh.fetches.size(), c.requests) << c.what;
  }
}

TEST_F(GuangClientTest, EmptyAndHostileIdsTravelAsCutAndTakeNoOtherEntry) {
  transport.AnswerFetch(
      kSearch, Listing({"{\"bought\":0,\"uid\":,\"favContAlbumId\":,\"rid\":,\"width\":1}",
                        ListedShare("1", "9", "..\\..\\x"), ListedShare("1", "9", "../a?b=c")}));
  transport.AnswerFetch(AlbumUrl("", "", ""), Album({"5"}));
  transport.AnswerFetch(AlbumUrl("..\\..\\x", "1", "9"), Album({"5", "..\\..\\x"}));
  transport.AnswerFetch(AlbumUrl("../a?b=c", "1", "9"), Album({"../a?b=c"}));
  const std::vector<ShareRecord> shares = Collect("");
  ASSERT_EQ(shares.size(), 2u);
  EXPECT_EQ(shares[0].shareId, "..\\..\\x");
  EXPECT_EQ(shares[0].pageUrl, DetailUrl("1", "..\\..\\x"));
  EXPECT_EQ(shares[0].description, "描述..\\..\\x");
  EXPECT_EQ(shares[1].shareId, "../a?b=c");
  EXPECT_EQ(Urls(), (std::vector<std::string>{kSearch, AlbumUrl("", "", ""),
                                              AlbumUrl("..\\..\\x", "1", "9"),
                                              AlbumUrl("../a?b=c", "1", "9")}));
}

TEST_F(GuangClientTest, FailedAlbumAndDetailFetchesAndTimeOuts) {
  transport.AnswerFetch(kSearch, Listing({ListedShare("1", "9", "5"), ListedShare("1", "9", "6"),
                                          ListedShare("1", "9", "7")}));
  transport.AnswerFetch(AlbumUrl("5", "1", "9"), FetchReply{.timed_out = true});
  transport.AnswerFetch(AlbumUrl("6", "1", "9"), Album({"6"}));
  transport.AnswerFetch(DetailUrl("1", "6"), FetchReply{.timed_out = true});
  transport.AnswerFetch(AlbumUrl("7", "1", "9"), Album({"7"}));
  const std::vector<ShareRecord> shares = Collect("#专辑#");
  ASSERT_EQ(shares.size(), 2u);
  EXPECT_EQ(shares[0].shareId, "6");
  EXPECT_EQ(shares[0].album, "默认专辑");
  EXPECT_EQ(shares[1].album, "默认专辑");
}

}  // namespace
}  // namespace pelrine

#include "guang/share_details.h"

#include <gtest/gtest.h>

namespace pelrine {
namespace {

// An album entry as the service writes it: the key/value pairs `body`
// between the opening and the closing key.
std::string Entry(std::string_view body) {
  return "{\"actionType\":1," + std::string(body) + ",\"userId\":11,\"albumId\":44}";
}

// What the entry walk cuts from Entry(body).
std::string Cut(std::string_view body) { return "1," + std::string(body) + ","; }

TEST(FindAlbumEntry, TakesTheFirstEntryWithTheWholeId) {
  struct Case {
    const char* what;
    std::string listing;
    std::string_view share_id;
    std::optional<std::string> want;
  };
  const std::string a = Entry("\"id\":5,\"nick\":\"a\"");
  const std::string twin = Entry("\"id\":1234,\"nick\":\"twin\"");
  const std::string own = Entry("\"id\":123,\"nick\":\"own\"");
  for (const Case& c : std::initializer_list<Case>{
           {"own entry after another", "{\"list\":[" + a + "," + own + "]}", "123",
            Cut("\"id\":123,\"nick\":\"own\"")},
           {"an id that begins with the wanted digits", twin + "," + own, "123",
            Cut("\"id\":123,\"nick\":\"own\"")},
           {"only the longer id", twin, "123", std::nullopt},
           {"the id not listed", a + "," + twin, "9", std::nullopt},
           {"letter case counts", Entry("\"ID\":123"), "123", std::nullopt},
           {"an empty id takes nothing", a + "," + own, "", std::nullopt},
           {"an id at the very end of the entry", "{\"actionType\":\"id\":77\"userId\":", "77",
            "\"id\":77"},
           {"a later id key of the same entry", Entry("\"id\":1234,\"x\":{\"id\":123}"), "123",
            Cut("\"id\":1234,\"x\":{\"id\":123}")},
           {"no entries", "{\"status\":200,\"data\":{\"list\":[]}}", "123", std::nullopt},
           {"markers out of order", "\"userId\":1,\"id\":123,{\"actionType\":1", "123",
            std::nullopt},
           {"time-out text", "超时返回，指定网站不能访问", "123", std::nullopt},
       })
    EXPECT_EQ(FindAlbumEntry(c.listing, c.share_id), c.want) << c.what;
}

TEST(FindAlbumEntry, PathCharactersInTheIdAreMatchedAsText) {
  const std::string listing = Entry("\"id\":..\\..\\x,\"nick\":\"a\"");
  EXPECT_TRUE(FindAlbumEntry(listing, "..\\..\\x").has_value());
  EXPECT_FALSE(FindAlbumEntry(listing, "..\\..\\y").has_value());
}

const char kFullEntry[] =
    "\"appId\":33,\"coverUrl\":\"http:\\/\\/img.test\\/p1.jpg\",\"createTimeStr\":\"2012-03-05 "
    "10:20\",\"description\":\"好看&quot;裙&hellip; &amp;lt;\",\"favorCount\":12,"
    "\"flowerCount\":3,\"id\":22,\"nick\":\"小美&amp;\",\"shitCount\":-1,\"tagList\":[\"秋装\","
    "\"连衣裙\"],\"item\":{\"itemId\":9,\"title\":\"连衣裙 &amp; 外套\",\"url\":\"http:\\/\\/"
    "item.test\\/9\",\"price\":\"99.00\"}";

TEST(ReadAlbumEntry, CutsEveryFieldAsWritten) {
  ShareRecord share;
  share.pageUrl = "page";
  share.shareId = "22";
  EXPECT_EQ(ReadAlbumEntry(Entry(kFullEntry), ",", share), "33");
  EXPECT_EQ(share, (ShareRecord{.pageUrl = "page",
                                .pictureUrl = "http:\\/\\/img.test\\/p1.jpg",
                                .date = "2012-03-05 10:20",
                                .description = "好看\"裙… &lt;",
                                .likeCount = "12",
                                .flowerCount = "3",
                                .eggCount = "-1",
                                .nick = "小美&amp;",
                                .tags = "秋装,连衣裙",
                                .comments = "",
                                .itemTitle = "连衣裙 &amp; 外套",
                                .itemUrl = "http:\\/\\/item.test\\/9",
                                .price = "99.00",
                                .album = "",
                                .insertWord1 = "",
                                .insertWord2 = "",
                                .shareId = "22"}));
}

TEST(ReadAlbumEntry, TagsAndDescriptionsAndMissingKeys) {
  struct Case {
    const char* what;
    std::string body;
    std::string_view separator;
    std::string tags, description, price, title;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"two tags, comma", "\"tagList\":[\"秋装\",\"连衣裙\"]", ",", "秋装,连衣裙", "", "", ""},
           {"two tags, space", "\"tagList\":[\"秋装\",\"连衣裙\"]", " ", "秋装 连衣裙", "", "", ""},
           {"three tags, longer separator", "\"tagList\":[\"a\",\"b\",\"c\"]", "、", "a、b、c", "",
            "", ""},
           {"one tag", "\"tagList\":[\"秋装\"]", ",", "秋装", "", "", ""},
           {"no tags", "\"tagList\":[]", ",", "", "", "", ""},
           {"description cut at quote comma quote",
            "\"description\":\"他说\",\"好\",\"favorCount\":1", ",", "", "他说", "", ""},
           {"empty price, no title", "\"price\":\"\",\"x\":1", ",", "", "", "", ""},
           {"item without price", "\"item\":{\"title\":\"裙\",\"url\":\"u\"}", ",", "", "", "",
            "裙"},
           {"left marker without right", "\"price\":\"12", ",", "", "", "", ""},
           {"keys in upper case are found too", "\"PRICE\":\"12\"", ",", "", "", "12", ""},
       }) {
    ShareRecord share;
    ReadAlbumEntry(c.body, c.separator, share);
    EXPECT_EQ(share.tags, c.tags) << c.what;
    EXPECT_EQ(share.description, c.description) << c.what;
    EXPECT_EQ(share.price, c.price) << c.what;
    EXPECT_EQ(share.itemTitle, c.title) << c.what;
  }
}

TEST(AlbumNameFromPage, LinkTextWithoutWhitespace) {
  struct Case {
    const char* what;
    std::string page;
    std::string want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"plain", "<h3 class=\"album__title\"><a href=\"/a\">秋装</a></h3>", "秋装"},
           {"blanks, tabs, line breaks and full-width spaces",
            "<h3 class=\"album__title\"><a href=\"/a\"> 秋 装\t搭\r\n配　</a></h3>", "秋装搭配"},
           {"&nbsp; becomes a blank and goes", "<H3 CLASS=\"album__title\"><a>秋&nbsp;装</a></h3>",
            "秋装"},
           {"entities decoded", "<h3 class=\"album__title\"><a>A&amp;B</a></h3>", "A&B"},
           {"a heading of another class", "<h3 class=\"site__title\"><a>逛逛</a></h3>", "默认专辑"},
           {"no link in the heading", "<h3 class=\"album__title\">秋装</h3>", "默认专辑"},
           {"link text only blanks", "<h3 class=\"album__title\"><a> 　</a></h3>", "默认专辑"},
           {"no end of heading", "<h3 class=\"album__title\"><a>秋装</a>", "默认专辑"},
           {"empty page", "", "默认专辑"},
           {"site heading first",
            "<h3 class=\"site__title\"><a>逛逛</a></h3><h3 class=\"album__title\"><a "
            "href=\"x\">美衣</a><a>二</a></h3>",
            "美衣"},
       }) {
    RegexObject blanks;
    ASSERT_TRUE(blanks.Create(kAlbumNameBlanks));
    EXPECT_EQ(AlbumNameFromPage(c.page, blanks), c.want) << c.what;
  }
}

}  // namespace
}  // namespace pelrine

#include "run/template_renderer.h"

#include <gtest/gtest.h>

#include <set>

#include "run_fakes.h"
#include "scripted_random.h"

namespace pelrine {
namespace {

TEST(ContentTemplates, SplitsAtTheSeparator) {
  using Templates = std::vector<std::string>;
  struct Case {
    std::string_view text;
    Templates want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", {"#描述#"}},
           {"A#描述#", {"A#描述#"}},
           {"A#分隔#B", {"A", "B"}},
           {"A#分隔#", {"A"}},  // no empty last template
           {"#分隔#B", {"", "B"}},
           {"#分隔#", {""}},
           {"A#分隔##分隔#B", {"A", "", "B"}},
       })
    EXPECT_EQ(ContentTemplates(c.text), c.want) << c.text;
}

TEST(RenderShare, EveryMarkerTakesItsOwnValue) {
  ShareRecord share = TestShare(5);
  share.tags = "a|b|c";  // the tag separator may be "|", the list delimiter of the markers
  share.insertWord1 = "词一";
  share.insertWord2 = "词二";
  const std::string all =
      "#图片#|#昵称#|#日期#|#描述#|#专辑#|#喜欢#|#鲜花#|#鸡蛋#|#标签#|#页面#|#评论#|#标题#|#购买#|#"
      "价格#|#插入词1#|#插入词2#";
  const std::string want = share.pictureUrl + "|" + share.nick + "|" + share.date + "|" +
                           share.description + "|" + share.album + "|" + share.likeCount + "|" +
                           share.flowerCount + "|" + share.eggCount + "|" + share.tags + "|" +
                           share.pageUrl + "|" + share.comments + "|" + share.itemTitle + "|" +
                           share.itemUrl + "|" + share.price + "|词一|词二";
  EXPECT_EQ(RenderShare(all, share), want);
  EXPECT_EQ(RenderShare("#随机一句# #分隔# #share#", share), "#随机一句# #分隔# #share#");
}

TEST(RenderShare, MarkersInValuesFollowTheSubstitutionOrder) {
  struct Case {
    std::string_view tmpl, description, nick;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           // #标签# comes after #描述#: a description holding it shows the tags
           {"[#描述#]", "见#标签#", "n", "[见t1,t2]"},
           // #图片# comes before #昵称#: a nick holding it keeps it
           {"[#昵称#]", "d", "#图片#", "[#图片#]"},
           // a value holding its own marker is not expanded again
           {"[#描述#]", "#描述#!", "n", "[#描述#!]"},
       }) {
    ShareRecord share;
    share.description = c.description;
    share.nick = c.nick;
    share.pictureUrl = "p";
    share.tags = "t1,t2";
    EXPECT_EQ(RenderShare(c.tmpl, share), c.want) << c.tmpl;
  }
}

TEST(RenderShare, SkipsSubstitutionsBeyondTheSizeLimit) {
  ShareRecord share;
  share.description = "abcd";
  share.nick = "";
  struct Case {
    std::string_view tmpl;
    size_t max_bytes;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"#描述##描述#", 8, "abcdabcd"},
           {"#描述##描述#", 7, "#描述##描述#"},
           {"#描述##昵称#", 7, "abcd"},  // the empty nick, substituted first, makes room
       })
    EXPECT_EQ(RenderShare(c.tmpl, share, c.max_bytes), c.want) << c.max_bytes;

  // Service values full of later markers: each level multiplies the text.
  std::string tmpl, markers;
  for (int i = 0; i < 100; ++i) tmpl += "#描述#";
  for (int i = 0; i < 2000; ++i) markers += "#标签#";
  share.description = markers;
  share.tags = std::string(5000, 't');
  const std::string rendered = RenderShare(tmpl, share, 2 << 20);
  EXPECT_EQ(rendered.size(), 100 * markers.size());  // descriptions in, the tags left out
}

TEST(SwapSameKind, PermutesEachFieldAndKeepsTheShareIds) {
  bool moved = false;
  for (std::uint32_t seed = 1; seed <= 5; ++seed) {
    const std::vector<ShareRecord> original = {TestShare(1), TestShare(2), TestShare(3)};
    std::vector<ShareRecord> batch = original;
    SeededRandom random(seed);
    FakeRunWindow events;
    SwapSameKind(batch, random, events);
    EXPECT_EQ(events.events, 3);
    for (size_t i = 0; i < batch.size(); ++i) EXPECT_EQ(batch[i].shareId, original[i].shareId);
    for (const auto field : kRecordTemplateFields) {
      std::multiset<std::string> before, after;
      for (size_t i = 0; i < batch.size(); ++i) {
        before.insert(original[i].*field);
        after.insert(batch[i].*field);
        moved = moved || batch[i].*field != original[i].*field;
      }
      EXPECT_EQ(before, after);
    }
  }
  EXPECT_TRUE(moved);

  std::vector<ShareRecord> single = {TestShare(7)};
  SeededRandom random(1);
  FakeRunWindow events;
  SwapSameKind(single, random, events);
  EXPECT_EQ(single[0], TestShare(7));
}

TEST(RenderTitle, TakesTheTitleMarkersFromTheFirstShare) {
  ShareRecord first = TestShare(1);
  first.insertWord1 = "词一";
  first.insertWord2 = "词二";
  SeededRandom random(1);
  FakeRunWindow events;
  EXPECT_EQ(
      RenderTitle("#专辑#/#标签#/#标题#/#插入词1#/#插入词2#/#描述#", first, "", {}, random, events),
      "专辑/标签1,tag1/标题1/词一/词二/#描述#");
}

TEST(RenderTitle, GivesEachRandomSentenceMarkerItsOwnSentence) {
  ShareRecord first;
  first.album = "默认专辑";
  FakeRunWindow events;
  SeededRandom random(1);
  EXPECT_EQ(RenderTitle("《#专辑#》#随机一句#", first, "一句话\r\n", {}, random, events),
            "《默认专辑》一句话");

  std::set<std::string> titles;
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeededRandom seeded(seed);
    titles.insert(RenderTitle("#随机一句#+#随机一句#", first, "甲乙。丙丁。", {}, seeded, events));
  }
  EXPECT_EQ(titles, (std::set<std::string>{"甲乙+甲乙", "甲乙+丙丁", "丙丁+甲乙", "丙丁+丙丁"}));

  // A sentence that reads like the marker is inserted as it is, not drawn for again.
  EXPECT_EQ(RenderTitle("A#随机一句#B#随机一句#", first, "#随机一句#\r\n", {}, random, events),
            "A#随机一句#B#随机一句#");
}

TEST(RenderTitle, InsertsTheSearchWordWhereItsPositionSays) {
  struct Case {
    std::string_view title;
    TitleInsertion insertion;
    std::deque<int> draws;
    std::string_view want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"标题字", {true, 1, "词"}, {}, "词标题字"},
           {"标题字", {true, 2, "词"}, {}, "标题字词"},
           {"标题字", {true, 3, "词"}, {1}, "标题字词"},
           {"标题字", {true, 3, "词"}, {2}, "词标题字"},
           {"标题字", {true, 0, "词"}, {1}, "标词题字"},
           {"标题字", {true, 0, "词"}, {2}, "标题词字"},
           {"标题字", {true, 0, "词"}, {3}, "标题字词"},
           {"标题字", {true, -1, "词"}, {1}, "标词题字"},  // no selection
           {"含词的", {true, 1, "词"}, {}, "含词的"},      // holds the word already
           {"标题字", {false, 1, "词"}, {}, "标题字"},
           {"", {true, 0, "词"}, {}, ""},
           {"", {true, 1, "词"}, {}, "词"},
       }) {
    ScriptedRandom random(c.draws);
    FakeRunWindow events;
    EXPECT_EQ(RenderTitle(c.title, ShareRecord{}, "", c.insertion, random, events), c.want)
        << c.title << " " << c.insertion.position;
  }
}

TEST(InsertAtRandomPosition, CountsCharactersNotBytes) {
  ScriptedRandom random({2, 4});
  EXPECT_EQ(InsertAtRandomPosition("标a题", "W", random), "标aW题");
  EXPECT_EQ(InsertAtRandomPosition("a标\xB0\"", "W", random), "a标\xB0\"W");  // a lone lead byte
}

}  // namespace
}  // namespace pelrine

#include "guang/share_comments.h"

#include <gtest/gtest.h>

#include "fakes/fake_transport.h"

namespace pelrine {
namespace {

// One comment item: the commenter's link, then `text`.
std::string Item(std::string_view text) {
  return "<li><a class=\"cc-avatar\" href=\"u\"><img src=\"p.jpg\"></a><p class=\"cc-text\"><a "
         "href=\"u\">昵称</a>" +
         std::string(text) + "</p><span>1分钟前</span></li>";
}

std::string List(std::initializer_list<std::string> items) {
  std::string list = "<ul class=\"cc-list\">";
  for (const std::string& item : items) list += item;
  return list + "</ul>";
}

TEST(JoinComments, TrimsJoinsAndCleans) {
  struct Case {
    const char* what;
    std::string list;
    std::string want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"trim, 回复 removed, its blank kept",
            List({Item("：好看"), Item(" 不错 "), Item("回复 谢谢")}), "：好看不错 谢谢"},
           {"full-width spaces trimmed, tabs kept", List({Item("　好\t　"), Item("\t棒 ")}),
            "好\t\t棒"},
           {"entities decoded after joining", List({Item("A&amp;B"), Item("&quot;x&quot;")}),
            "A&B\"x\""},
           {"a paragraph without link ends the walk",
            List({Item("一"), "<li><p class=\"x\">二</p></li>", Item("三")}), "一"},
           {"blanks only after the link end the walk", List({Item("一"), Item(" 　 "), Item("三")}),
            "一"},
           {"an item without paragraph ends the walk",
            List({Item("一"), "<li>二</li>", Item("三")}), "一"},
           {"a sticker only: nothing before the image", List({Item(" <img src=\"s.gif\">")}), ""},
           {"an empty item ends the walk", List({"<li></li>", Item("二")}), ""},
           {"no items", List({}), ""},
           {"a text of only 回复 leaves nothing", List({Item("回复")}), ""},
           // 0xA1 0xA1 here is the second byte of one character and the first of the next
           {"no full-width space across characters", List({Item("\xB0\xA1\xA1\xB0")}),
            "\xB0\xA1\xA1\xB0"},
       })
    EXPECT_EQ(JoinComments(c.list), c.want) << c.what;
}

TEST(CommentList, DecodesTheScriptStringAndCutsTheFirstList) {
  struct Case {
    const char* what;
    std::string response;
    std::string want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"escaped markup",
            "render({\"html\":\"<ul class=\\\"cc\\\"><li>\\u597d<\\/li><\\/ul>\"});",
            "class=\"cc\"><li>好</li>"},
           {"a list without attributes is not found", "<ul><li>a</li></ul>", ""},
           {"the first list only", "<ul a><li>1</li></ul><ul b><li>2</li></ul>", "a><li>1</li>"},
           {"a line feed makes no script string", "<ul a>\n<li>1</li></ul>", ""},
           {"time-out text", "超时返回，指定网站不能访问", ""},
       })
    EXPECT_EQ(CommentList(c.response), c.want) << c.what;
}

const ShareKeys kKeys{.user_id = "11", .album_id = "44", .share_id = "22"};
const char kFirst[] =
    "http://cc.test/json/cc_list.htm?rec_user_id=11&page_size=10&target_key=22&app_id=33";
const char kSecond[] =
    "http://cc.test/json/cc_list.htm?rec_user_id=11&page_size=10&target_key=22_2&app_id=33";

TEST(ReadComments, SecondAttemptOnlyWhenTheFirstListHasNoItem) {
  struct Case {
    const char* what;
    std::string first, second;
    std::vector<std::string> requests;
    std::string want;
  };
  const std::string empty_list = List({});
  for (const Case& c : std::initializer_list<Case>{
           {"first has items", List({Item("一")}), List({Item("二")}), {kFirst}, "一"},
           {"first list empty", empty_list, List({Item("二")}), {kFirst, kSecond}, "二"},
           {"first without list", "还没有评论", List({Item("二")}), {kFirst, kSecond}, "二"},
           {"first item empty but present", List({"<li>x</li>"}), List({Item("二")}), {kFirst}, ""},
           {"both empty", empty_list, "", {kFirst, kSecond}, ""},
       }) {
    FakeTransport transport;
    transport.AnswerFetch(kFirst, c.first);
    transport.AnswerFetch(kSecond, c.second);
    EXPECT_EQ(ReadComments(transport, "cc.test", kKeys, 10, "33"), c.want) << c.what;
    std::vector<std::string> urls;
    for (const FetchRequest& request : transport.fetches) urls.push_back(request.url);
    EXPECT_EQ(urls, c.requests) << c.what;
  }
}

TEST(ReadComments, TimeOutsGiveNoComments) {
  FakeTransport transport;
  transport.AnswerFetch(kFirst, {.timed_out = true});
  transport.AnswerFetch(kSecond, {.timed_out = true});
  EXPECT_EQ(ReadComments(transport, "cc.test", kKeys, 10, "33"), "");
  EXPECT_EQ(transport.fetches.size(), 2u);
}

}  // namespace
}  // namespace pelrine

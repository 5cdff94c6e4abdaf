#include "run/run_collection.h"

#include <gtest/gtest.h>

#include <set>

#include "memory_file_system.h"
#include "run/run_buttons.h"
#include "run/template_renderer.h"
#include "run_fakes.h"

namespace pelrine {
namespace {

using Page = ScriptedShareSource::Page;

std::vector<int> Ids(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

// What the default content template "<p>#描述#</p>" makes of these shares.
std::string Article(const std::vector<int>& ids) {
  std::string content;
  for (int id : ids) content += "<p>描述" + std::to_string(id) + "</p>\r\n";
  return content;
}

std::string Saved(int count) { return "已保存.." + std::to_string(count) + " 个文件"; }

constexpr std::string_view kDone = "采集完成！右击选择目录按钮‘..’可打开保存目录";

// Everything a run talks to, scripted; the run is started through the buttons.
struct RunRig : FakeRunParts {
  RunRig() { files.directories = {"C:\\out"}; }

  // A click on the running button while the source handles request `call`.
  void StopDuringCall(int call, bool preview) {
    window.on_events = [this, call, preview, clicked = false]() mutable {
      if (clicked || static_cast<int>(source.calls.size()) != call) return;
      clicked = true;
      preview ? buttons.OnPreviewClick() : buttons.OnCollectClick();
    };
  }

  RunServices services = Services();
  RunButtons buttons{services};
};

struct WrittenArticle {
  std::string path;
  std::vector<int> ids;
};

struct RunCase {
  std::string_view name;
  std::map<std::string, std::vector<Page>> pages = {};
  std::string search_words = "w";
  std::string shares_per_file = "6";
  std::string per_word_limit = "0";
  std::string title_template = "#标题#";
  bool subdirectory = false;
  bool preview = false;
  int stop_during_call = 0;
  std::vector<WrittenArticle> want_articles = {};  // in writing order
  int files_before_stop = -1;
  std::vector<int> want_preview = {};
  int want_calls = 0;
  int want_waits = 0;
};

TEST(RunCollection, PagesBatchesAndStops) {
  for (const RunCase& c : std::initializer_list<RunCase>{
           {.name = "a full page makes one article; three empty pages end the word",
 .pages = {{"w", {Ids(1, 6)}}},
 .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)}},
 .want_calls = 10,
 .want_waits = 6},
           {.name = "shares per file 0 counts as 6",
           .pages = {{"w", {Ids(1, 4), Ids(5, 8)}}},
           .shares_per_file = "0",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)}, {"C:\\out\\标题7.htm", {7, 8}}},
           .want_calls = 11,
           .want_waits = 6},
           {.name = "a negative number of shares per file counts as 6",
           .pages = {{"w", {Ids(1, 4), Ids(5, 8)}}},
           .shares_per_file = "-2",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)}, {"C:\\out\\标题7.htm", {7, 8}}},
           .want_calls = 11,
           .want_waits = 6},
           {.name = "shares per file that is no number counts as 6",
           .pages = {{"w", {Ids(1, 4), Ids(5, 8)}}},
           .shares_per_file = "abc",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)}, {"C:\\out\\标题7.htm", {7, 8}}},
           .want_calls = 11,
           .want_waits = 6},
           {.name = "a limit of 10 takes two whole pages of 6",
           .pages = {{"w", {Ids(1, 6), Ids(7, 12), Ids(13, 18)}}},
           .shares_per_file = "5",
           .per_word_limit = "10",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 5)},
                             {"C:\\out\\标题6.htm", Ids(6, 10)},
                             {"C:\\out\\标题11.htm", {11, 12}}},
           .want_calls = 2},
           {.name = "a page repeating page 1 ends the word and is discarded",
           .pages = {{"w", {Ids(1, 6), Ids(1, 6), Ids(7, 12)}}},
           .shares_per_file = "4",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 4)}, {"C:\\out\\标题5.htm", {5, 6}}},
           .want_calls = 2},
           {.name = "a page repeating four shares of page 1 is kept whole",
           .pages = {{"w", {Ids(1, 6), {7, 8, 1, 2, 3, 4}}}},
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)},
                             {"C:\\out\\标题7.htm", {7, 8, 1, 2, 3, 4}}},
           .want_calls = 11,
           .want_waits = 6},
           {.name = "page 1 empty: page 3 repeating page 2 is caught by the previous page",
           .pages = {{"w", {{}, Ids(1, 6), Ids(1, 6)}}},
           .shares_per_file = "4",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 4)}, {"C:\\out\\标题5.htm", {5, 6}}},
           .want_calls = 5,
           .want_waits = 2},
           {.name = "an empty page clears the previous-page signature",
           .pages = {{"w", {Ids(1, 6), Ids(7, 12), {}, Ids(7, 12)}}},
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)},
                             {"C:\\out\\标题7.htm", Ids(7, 12)},
                             {"C:\\out\\标题7.htm", Ids(7, 12)}},
           .want_calls = 12,
           .want_waits = 6},
           {.name = "the third empty page ends the word, shares between or not",
           .pages = {{"w", {{}, {1, 2}, {}, {3}, {}, {4}}}},
           .want_articles = {{"C:\\out\\标题1.htm", {1, 2, 3}}},
           .want_calls = 11,
           .want_waits = 6},
           {.name = "14 shares at 5 per file make articles of 5, 5 and 4",
           .pages = {{"w", {Ids(1, 6), Ids(7, 12), {13, 14}}}},
           .shares_per_file = "5",
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 5)},
                             {"C:\\out\\标题6.htm", Ids(6, 10)},
                             {"C:\\out\\标题11.htm", Ids(11, 14)}},
           .want_calls = 12,
           .want_waits = 6},
           {.name = "a page is asked for up to three times, with a wait between",
           .pages = {{"w", {Page(Ids(1, 6), 2)}}},
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)}},
           .want_calls = 12,
           .want_waits = 8},
           {.name = "a stop writes the pending shares as a last, smaller article",
           .pages = {{"w", {Ids(1, 6), {7, 8}, Ids(9, 14)}}},
           .shares_per_file = "5",
           .stop_during_call = 2,
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 5)}, {"C:\\out\\标题6.htm", {6, 7, 8}}},
           .files_before_stop = 1,
           .want_calls = 2},
           {.name = "a stop lets the current page finish its attempts and waits",
           .pages = {{"w", {Ids(1, 6)}}},
           .stop_during_call = 2,
           .want_articles = {{"C:\\out\\标题1.htm", Ids(1, 6)}},
           .files_before_stop = 1,
           .want_calls = 4,
           .want_waits = 2},
           {.name = "each word has its own subdirectory",
           .pages = {{"a", {{1, 2}}}, {"b", {{3, 4}}}},
           .search_words = "a|b",
           .subdirectory = true,
           .want_articles = {{"C:\\out\\a\\标题1.htm", {1, 2}}, {"C:\\out\\b\\标题3.htm", {3, 4}}},
           .want_calls = 20,
           .want_waits = 12},
           {.name = "a word whose subdirectory cannot be made writes nothing",
           .pages = {{"a?", {{1, 2}}}, {"b", {{3, 4}}}},
           .search_words = "a?|b",
           .subdirectory = true,
           .want_articles = {{"C:\\out\\b\\标题3.htm", {3, 4}}},
           .want_calls = 20,
           .want_waits = 12},
           {.name = "the empty word between two bars is searched like any other",
           .pages = {{"", {{5, 6}}}},
           .search_words = "a||b",
           .want_articles = {{"C:\\out\\标题5.htm", {5, 6}}},
           .want_calls = 28,
           .want_waits = 18},
           {.name = "no search words: no request and no file", .search_words = ""},
           {.name = "two articles of one title: the later replaces the earlier, both count",
           .pages = {{"w", {Ids(1, 6)}}},
           .shares_per_file = "3",
           .title_template = "#专辑#",
           .want_articles = {{"C:\\out\\专辑.htm", {1, 2, 3}}, {"C:\\out\\专辑.htm", {4, 5, 6}}},
           .want_calls = 10,
           .want_waits = 6},
           {.name = "a preview shows the first page whole, whatever the shares per file",
           .pages = {{"w", {Ids(1, 6), Ids(7, 12)}}},
           .shares_per_file = "1",
           .preview = true,
           .want_preview = Ids(1, 6),
           .want_calls = 1},
           {.name = "a preview that finds nothing goes through every word",
           .search_words = "a|b",
           .preview = true,
           .want_calls = 18,
           .want_waits = 12},
       }) {
    SCOPED_TRACE(c.name);
    RunRig rig;
    rig.source.pages = c.pages;
    FakeRunWindow& window = rig.window;
    window.search_words = c.search_words;
    window.shares_per_file = c.shares_per_file;
    window.per_word_limit = c.per_word_limit;
    window.title_template = c.title_template;
    window.per_word_subdirectory = c.subdirectory;
    if (c.stop_during_call > 0) rig.StopDuringCall(c.stop_during_call, c.preview);
    c.preview ? rig.buttons.OnPreviewClick() : rig.buttons.OnCollectClick();

    EXPECT_EQ(static_cast<int>(rig.source.calls.size()), c.want_calls);
    EXPECT_EQ(rig.sleeper.slept, 3000LL * c.want_waits);

    std::map<std::string, std::string> want_files;
    std::vector<std::string> want_statuses, want_captions;
    for (size_t i = 0; i < c.want_articles.size(); ++i) {
      const WrittenArticle& article = c.want_articles[i];
      want_files[article.path] = Article(article.ids);
      want_statuses.push_back(article.path.substr(article.path.rfind('\\') + 1));
      if (static_cast<int>(i) == c.files_before_stop) want_captions.push_back("采集正在停止中..");
      want_captions.push_back(Saved(static_cast<int>(i) + 1));
    }
    if (c.files_before_stop == static_cast<int>(c.want_articles.size()))
      want_captions.push_back("采集正在停止中..");
    want_statuses.push_back("");
    EXPECT_EQ(rig.files.files, want_files);
    EXPECT_EQ(window.statuses, want_statuses);

    if (c.preview) {
      EXPECT_EQ(window.preview_captions, (std::vector<std::string>{"初始化..", "预览效果"}));
      EXPECT_TRUE(window.collect_captions.empty());
      EXPECT_TRUE(window.messages.empty());
      ASSERT_EQ(window.previews.size(), c.want_preview.empty() ? 0u : 1u);
      if (!c.want_preview.empty()) {
        EXPECT_EQ(window.previews[0].content, Article(c.want_preview));
        EXPECT_EQ(window.previews[0].directory, "C:\\out\\");
        EXPECT_EQ(window.previews[0].title, "标题" + std::to_string(c.want_preview[0]));
      }
    } else {
      want_captions.insert(want_captions.begin(), "采集正在初始化..");
      want_captions.push_back("采集保存");
      EXPECT_EQ(window.collect_captions, want_captions);
      EXPECT_EQ(window.messages, (std::vector<std::string>{std::string(kDone)}));
      EXPECT_TRUE(window.previews.empty());
    }
  }
}

TEST(RunCollection, SaveDirectoryEndsInOneBackslash) {
  struct Case {
    std::string_view directory, want_file;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"C:\\out", "C:\\out\\标题1.htm"},
           {"C:\\out\\", "C:\\out\\标题1.htm"},
           // 0x95 0x5C is one character whose trail byte is a backslash
           {"C:\\out\\\x95\x5C", "C:\\out\\\x95\x5C\\标题1.htm"},
       }) {
    RunRig rig;
    rig.window.save_directory = c.directory;
    rig.source.pages = {{"w", {{1}}}};
    rig.buttons.OnCollectClick();
    EXPECT_EQ(rig.files.files.count(std::string(c.want_file)), 1u) << c.directory;
  }
}

TEST(RunCollection, PassesThePageRequestSettings) {
  RunRig rig;
  FakeRunWindow& window = rig.window;
  window.search_words = "词";
  window.share_type = 2;
  window.ranking = 2;
  window.category = 11;
  window.comment_count = "5条";
  window.tag_separator = "";
  window.content_templates = "A";
  window.title_template = "T";
  rig.source.pages = {{"词", {Ids(1, 6)}}};
  rig.buttons.OnCollectClick();

  ASSERT_FALSE(rig.source.calls.empty());
  const ScriptedShareSource::Call& call = rig.source.calls[0];
  EXPECT_EQ(call.templates, "AT");
  EXPECT_EQ(call.word, "词");
  EXPECT_EQ(std::tie(call.type, call.sort, call.category, call.page, call.comment_count),
            std::make_tuple(2, 2, 11, 1, 5));
  EXPECT_EQ(call.tag_separator, "");
  EXPECT_EQ(rig.source.calls[1].page, 2);
}

TEST(RunCollection, ReadsEachSettingAtItsMoment) {
  RunRig rig;
  FakeRunWindow& window = rig.window;
  window.search_words = "a|b";
  window.shares_per_file = "2";
  rig.source.pages = {{"a", {Ids(1, 4)}}, {"b", {Ids(5, 8)}}};
  // Changed while the first page is fetched.
  window.on_events = [&window] {
    window.shares_per_file = "4";
    window.content_templates = "[#描述#]";
    window.title_template = "新#标题#";
  };
  rig.buttons.OnCollectClick();

  // Shares per file from the next word on; content templates for rendering
  // only from the next run, but for the client at once; the title template
  // for every article.
  EXPECT_EQ(rig.source.calls[1].templates, "[#描述#]新#标题#");
  EXPECT_EQ(rig.files.files, (std::map<std::string, std::string>{
                                 {"C:\\out\\新标题1.htm", Article({1, 2})},
                                 {"C:\\out\\新标题3.htm", Article({3, 4})},
                                 {"C:\\out\\新标题5.htm", Article(Ids(5, 8))},
                             }));
}

TEST(RunCollection, FailedWriteIsPassedOver) {
  RunRig rig;
  rig.window.shares_per_file = "3";
  rig.files.failing_writes = {"C:\\out\\标题1.htm"};
  rig.source.pages = {{"w", {Ids(1, 6)}}};
  rig.buttons.OnCollectClick();

  EXPECT_EQ(rig.files.files,
            (std::map<std::string, std::string>{{"C:\\out\\标题4.htm", Article({4, 5, 6})}}));
  EXPECT_EQ(rig.window.statuses, (std::vector<std::string>{"标题4.htm", ""}));
  EXPECT_EQ(rig.window.collect_captions,
            (std::vector<std::string>{"采集正在初始化..", Saved(1), "采集保存"}));
}

TEST(RunCollection, TwoTemplatesAlternateWithinEachPair) {
  RunRig rig;
  rig.window.content_templates = "A#描述##分隔#B#描述#";
  rig.source.pages = {{"w", {Ids(1, 6)}}};
  rig.buttons.OnCollectClick();

  const std::string& content = rig.files.files.at("C:\\out\\标题1.htm");
  const std::vector<std::string> lines = SplitText(content, "\r\n");
  ASSERT_EQ(lines.size(), 6u);
  for (size_t i = 0; i < 6; i += 2) {
    EXPECT_NE(lines[i][0], lines[i + 1][0]) << content;
    EXPECT_EQ(lines[i].substr(1), "描述" + std::to_string(i + 1));
  }
}

TEST(RunCollection, InsertWordListsLastTheWholeRun) {
  for (std::uint32_t seed = 1; seed <= 10; ++seed) {
    RunRig rig;
    rig.random = SeededRandom(seed);
    rig.window.insert_words1 = "甲\r\n乙\r\n丙";
    rig.window.content_templates = "#插入词1#";
    rig.window.search_words = "a|b";
    rig.source.pages = {{"a", {{1, 2}}}, {"b", {{3, 4}}}};
    rig.buttons.OnCollectClick();

    std::string words = rig.files.files.at("C:\\out\\标题1.htm");
    words += rig.files.files.at("C:\\out\\标题3.htm");
    const std::vector<std::string> drawn = SplitText(words, "\r\n");
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(std::set<std::string>(drawn.begin(), drawn.begin() + 3),
              (std::set<std::string>{"甲", "乙", "丙"}));
  }
}

TEST(RunCollection, LocalisesPicturesAndConvertsLinksOnCopies) {
  RunRig rig;
  FakeRunWindow& window = rig.window;
  window.content_templates = "#图片# #购买#";
  window.title_template = "#标题#";
  window.download_pictures = true;
  window.convert_links = true;
  window.short_url_option = 1;
  rig.source.pages = {{"w", {{1, 2}}}};
  rig.buttons.OnCollectClick();

  EXPECT_EQ(rig.files.files.at("C:\\out\\标题1.htm"),
            "img/1.jpg http://dwz.test/1\r\nimg/2.jpg http://dwz.test/1\r\n");
  EXPECT_EQ(rig.files.files.at("C:\\out\\img\\1.jpg"), "picture of http://img.test/p1.jpg");
  EXPECT_EQ(rig.files.files.count("C:\\out\\img\\2.jpg"), 1u);
  EXPECT_EQ(window.statuses, (std::vector<std::string>{
                                 "下载图片到相对路径 img\\1.jpg", "正在转换淘宝客链接..",
                                 "正在执行短网址选项..", "下载图片到相对路径 img\\2.jpg",
                                 "正在转换淘宝客链接..", "正在执行短网址选项..", "标题1.htm", ""}));
}

TEST(RunCollection, LinkConversionFollowsTheShortUrlOption) {
  struct Case {
    int option;
    std::string_view album;
    std::vector<std::string> want_calls;
    std::string_view want_url;
  };
  for (const Case& c : std::initializer_list<Case>{
           {0,
            "专辑",
            {"affiliate key secret mm_1 [标题1][标签1,tag1][专辑]"},
            "http://s.click.test/标题1"},
           {1,
            "默认专辑",
            {"affiliate key secret mm_1 [标题1][标签1,tag1][]", "dwz http://s.click.test/标题1"},
            "http://dwz.test/1"},
           {2,
            "专辑",
            {"affiliate key secret mm_1 [标题1][标签1,tag1][专辑]",
             "cnzz http://s.click.test/标题1"},
            "http://cnzz.test/1"},
           {3,
            "专辑",
            {"affiliate key secret mm_1 [标题1][标签1,tag1][专辑]",
             "interface http://s.click.test/标题1 http://api.test/?u=#网址#"},
            "http://s.click.test/标题1"},  // a failed shortening keeps the affiliate link
           {-1,
            "专辑",
            {"affiliate key secret mm_1 [标题1][标签1,tag1][专辑]",
             "interface http://s.click.test/标题1 http://api.test/?u=#网址#"},
            "http://s.click.test/标题1"},
       }) {
    RunRig rig;
    FakeRunWindow& window = rig.window;
    window.content_templates = "#购买#";
    window.convert_links = true;
    window.short_url_option = c.option;
    window.short_url_interface.address = "http://api.test/?u=#网址#";
    rig.source.pages = {{"w", {{1}}}};
    rig.source.adjust_share = [&c](ShareRecord& share) { share.album = c.album; };
    rig.buttons.OnCollectClick();

    EXPECT_EQ(rig.links.calls, c.want_calls) << c.option;
    EXPECT_EQ(rig.files.files.at("C:\\out\\标题1.htm"), std::string(c.want_url) + "\r\n");
  }
}

TEST(RunCollection, AFailedConversionKeepsTheLinkItWasGiven) {
  struct Case {
    int option;
    bool affiliate_fails;
    std::string_view want_url;
  };
  for (const Case& c : std::initializer_list<Case>{
           {1, false, "http://s.click.test/标题1"},
           {2, false, "http://s.click.test/标题1"},
           {3, false, "http://s.click.test/标题1"},
           {0, true, "http://item.test/1"},
           {1, true, "http://item.test/1"},
       }) {
    RunRig rig;
    rig.window.content_templates = "#购买#";
    rig.window.convert_links = true;
    rig.window.short_url_option = c.option;
    rig.links.affiliate_fails = c.affiliate_fails;
    rig.links.shortenings_fail = true;
    rig.source.pages = {{"w", {{1}}}};
    rig.buttons.OnCollectClick();

    EXPECT_EQ(rig.files.files.at("C:\\out\\标题1.htm"), std::string(c.want_url) + "\r\n")
        << c.option << " " << c.affiliate_fails;
  }
}

std::string Repeated(std::string_view piece, size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += piece;
  return text;
}

TEST(RunCollection, BadInputEndsTheRunWithoutHarm) {
  const std::string every_marker =
      "#图片##昵称##日期##描述##专辑##喜欢##鲜花##鸡蛋##标签##页面##评论##标题##购买##价格##"
      "插入词1#"
      "#插入词2##随机一句#";
  struct Case {
    std::string_view name;
    std::string content_templates, title_template, words, search_words;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a 1 MB template full of markers", Repeated(every_marker, 1 << 20), "#随机一句##标题#",
            "", "w"},
           {"a title full of markers", "#描述#", Repeated("#随机一句##标签#", 1 << 16), "", "w"},
           {"100,000 insert words", "#插入词1##插入词2#", "#插入词1#", Repeated("词\r\n", 300000),
            "w"},
           {"bars and separators in odd places", "#分隔##分隔#|#分隔", "|#分隔#|", "|\r\n|",
            "||w|#分隔#||"},
           {"invalid GBK everywhere", "\x81#描述\xFF#\x81", "\xFE#随机一句#\x81", "\x81\r\n\x80",
            "\x81|w\xFF"},
       }) {
    SCOPED_TRACE(c.name);
    RunRig rig;
    FakeRunWindow& window = rig.window;
    window.content_templates = c.content_templates;
    window.title_template = c.title_template;
    window.insert_words1 = window.insert_words2 = c.words;
    window.search_words = c.search_words;
    window.shares_per_file = "2";
    window.swap_same_kind = true;
    window.insert_into_title = true;
    for (const std::string& word : SplitText(c.search_words, "|"))
      rig.source.pages[word] = {{1, 2}};
    rig.buttons.OnCollectClick();

    EXPECT_EQ(window.collect_caption, "采集保存");
    EXPECT_FALSE(rig.files.files.empty());
    for (const auto& [path, content] : rig.files.files)
      EXPECT_LE(content.size(), kMaxRenderedBytes);
  }
}

}  // namespace
}  // namespace pelrine

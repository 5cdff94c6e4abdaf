// Scripted stand-ins for everything a collection run talks to: the window,
// the share source, the link services, the picture fetch and the wait. Free
// of gtest, so that benchmarks use them too.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "guang/random_source.h"
#include "guang/share_source.h"
#include "links/link_converter.h"
#include "memory_file_system.h"
#include "run/picture_fetch.h"
#include "run/run_collection.h"
#include "run/run_window.h"
#include "run/wait_with_events.h"

namespace pelrine {

// A share whose every value names its id, e.g. description "描述7".
inline ShareRecord TestShare(int id) {
  const std::string n = std::to_string(id);
  return ShareRecord{.pageUrl = "http://guang.test/detail/index.htm?uid=9&sid=" + n,
                     .pictureUrl = "http://img.test/p" + n + ".jpg",
                     .date = "2012-03-" + n,
                     .description = "描述" + n,
                     .likeCount = "1" + n,
                     .flowerCount = "2" + n,
                     .eggCount = "3" + n,
                     .nick = "昵称" + n,
                     .tags = "标签" + n + ",tag" + n,
                     .comments = "评论" + n,
                     .itemTitle = "标题" + n,
                     .itemUrl = "http://item.test/" + n,
                     .price = n + ".00",
                     .album = "专辑",
                     .insertWord1 = "",
                     .insertWord2 = "",
                     .shareId = n};
}

class FakeRunWindow final : public RunWindow {
 public:
  std::string InsertWords1() override { return insert_words1; }
  std::string InsertWords2() override { return insert_words2; }
  std::string SearchWords() override { return search_words; }
  std::string SaveDirectory() override { return save_directory; }
  std::string Extension() override { return extension; }
  std::string PerWordLimit() override { return per_word_limit; }
  std::string ContentTemplates() override { return content_templates; }
  std::string TitleTemplate() override { return title_template; }
  std::string SharesPerFile() override { return shares_per_file; }
  bool PerWordSubdirectory() override { return per_word_subdirectory; }
  int ShareType() override { return share_type; }
  int Ranking() override { return ranking; }
  int Category() override { return category; }
  std::string CommentCount() override { return comment_count; }
  std::string TagSeparator() override { return tag_separator; }
  bool SwapSameKind() override { return swap_same_kind; }
  bool InsertSearchWordIntoTitle() override { return insert_into_title; }
  int TitlePosition() override { return title_position; }
  bool DownloadPictures() override { return download_pictures; }
  std::string PictureDirectoryName() override { return picture_directory; }
  bool ConvertAffiliateLinks() override { return convert_links; }
  std::string AppKey() override { return app_key; }
  std::string AppSecret() override { return app_secret; }
  std::string Pid() override { return pid; }
  int ShortUrlOption() override { return short_url_option; }
  ShortUrlInterface ShortUrlInterfaceValues() override { return short_url_interface; }

  std::string PreviewCaption() override { return preview_caption; }
  void SetPreviewCaption(std::string_view caption) override {
    preview_caption = caption;
    preview_captions.emplace_back(caption);
  }
  void EnablePreviewButton(bool enabled) override { preview_enabled.push_back(enabled); }
  std::string CollectCaption() override { return collect_caption; }
  void SetCollectCaption(std::string_view caption) override {
    collect_caption = caption;
    collect_captions.emplace_back(caption);
  }
  void EnableCollectButton(bool enabled) override { collect_enabled.push_back(enabled); }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void ShowPreview(std::string_view content, std::string_view directory,
                   std::string_view title) override {
    previews.push_back({std::string(content), std::string(directory), std::string(title)});
  }
  void SetStatusText(std::string_view text) override { statuses.emplace_back(text); }
  void ProcessEvents() override {
    ++events;
    if (on_events) on_events();
  }

  // Settings, at the program's first-start values where the run cares.
  std::string insert_words1, insert_words2;
  std::string search_words = "w";
  std::string save_directory = "C:\\out";
  std::string extension = "htm";
  std::string per_word_limit = "0";
  std::string content_templates = "<p>#描述#</p>";
  std::string title_template = "#标题#";
  std::string shares_per_file = "6";
  bool per_word_subdirectory = false;
  int share_type = 0, ranking = 1, category = 0;
  std::string comment_count = "10", tag_separator = ",";
  bool swap_same_kind = false, insert_into_title = false;
  int title_position = 0;
  bool download_pictures = false;
  std::string picture_directory = "img";
  bool convert_links = false;
  std::string app_key = "key", app_secret = "secret", pid = "mm_1";
  int short_url_option = 0;
  ShortUrlInterface short_url_interface;

  // The buttons and what the run wrote.
  std::string preview_caption = "预览效果", collect_caption = "采集保存";
  std::vector<std::string> preview_captions, collect_captions, statuses, messages;
  std::vector<bool> preview_enabled, collect_enabled;
  struct Preview {
    std::string content, directory, title;
  };
  std::vector<Preview> previews;
  int events = 0;
  std::function<void()> on_events;  // runs inside ProcessEvents: a click during the run
};

// Pages of shares per search word; pages past the script are empty. Like
// the real client it processes window events while it works and draws the
// insert words the templates ask for.
class ScriptedShareSource final : public ShareSource {
 public:
  struct Page {
    Page() = default;
    Page(std::initializer_list<int> ids) : ids(ids) {}
    Page(std::vector<int> ids, int empty_attempts = 0)
        : ids(std::move(ids)), empty_attempts(empty_attempts) {}
    std::vector<int> ids;
    int empty_attempts = 0;  // the first attempts at the page come back empty
  };
  struct Call {
    std::string templates, word;
    int type, sort, category, page;
    std::string tag_separator;
    int comment_count;
  };

  ScriptedShareSource(EventPump& events, RandomSource& random) : events_(events), random_(random) {}

  std::vector<ShareRecord> CollectSearchPage(std::string_view templates,
                                             std::string_view search_word, int type, int sort,
                                             int category, int page, InsertWordList& words1,
                                             InsertWordList& words2, std::string& tag_separator,
                                             int comment_count, StatusLabel*) override {
    calls.push_back({std::string(templates), std::string(search_word), type, sort, category, page,
                     tag_separator, comment_count});
    events_.ProcessEvents();
    const auto word_pages = pages.find(std::string(search_word));
    if (word_pages == pages.end() || page > static_cast<int>(word_pages->second.size())) return {};
    const Page& script = word_pages->second[static_cast<size_t>(page - 1)];
    if (++attempts_[{std::string(search_word), page}] <= script.empty_attempts) return {};
    std::vector<ShareRecord> shares;
    for (int id : script.ids) {
      ShareRecord share = TestShare(id);
      if (adjust_share) adjust_share(share);
      if (templates.find("#插入词1#") != std::string_view::npos)
        share.insertWord1 = words1.Draw(random_);
      if (templates.find("#插入词2#") != std::string_view::npos)
        share.insertWord2 = words2.Draw(random_);
      shares.push_back(share);
    }
    return shares;
  }

  std::map<std::string, std::vector<Page>> pages;
  std::function<void(ShareRecord&)> adjust_share;  // applied to every share handed out
  std::vector<Call> calls;

 private:
  EventPump& events_;
  RandomSource& random_;
  std::map<std::pair<std::string, int>, int> attempts_;
};

class FakeLinks final : public LinkConverter {
 public:
  std::string AffiliateLink(std::string_view app_key, std::string_view app_secret,
                            std::string_view pid, std::string_view item_title,
                            std::string_view tags, std::string_view album,
                            TagSeparatorBox&) override {
    calls.push_back("affiliate " + std::string(app_key) + " " + std::string(app_secret) + " " +
                    std::string(pid) + " [" + std::string(item_title) + "][" + std::string(tags) +
                    "][" + std::string(album) + "]");
    return affiliate_fails ? "" : "http://s.click.test/" + std::string(item_title);
  }
  std::string ShortenWithDwz(std::string_view url) override {
    calls.push_back("dwz " + std::string(url));
    return shortenings_fail ? "" : "http://dwz.test/1";
  }
  std::string ShortenWithCnzz(std::string_view url) override {
    calls.push_back("cnzz " + std::string(url));
    return shortenings_fail ? "" : "http://cnzz.test/1";
  }
  std::string ShortenWithInterface(std::string_view url, const ShortUrlInterface& api) override {
    calls.push_back("interface " + std::string(url) + " " + api.address);
    return interface_answer ? interface_answer(url) : "";
  }
  std::vector<std::string> calls;
  bool affiliate_fails = false;   // the affiliate search gives ""
  bool shortenings_fail = false;  // dwz and CNZZ give ""
  std::function<std::string(std::string_view url)> interface_answer;  // "" when not set
};

// Answers every address with "picture of " + address, unless scripted.
class FakePictures final : public PictureFetch {
 public:
  FetchedBody Fetch(const std::string& url) override {
    fetched.push_back(url);
    const auto scripted = answers.find(url);
    return scripted != answers.end() ? scripted->second : FetchedBody{"picture of " + url, false};
  }
  std::map<std::string, FetchedBody> answers;
  std::vector<std::string> fetched;
};

class CountingSleeper final : public Sleeper {
 public:
  void Sleep(int milliseconds) override {
    slept += milliseconds;
    ++steps;
  }
  long long slept = 0;
  int steps = 0;
};

// Everything a run talks to, scripted, with a fixed seed.
struct FakeRunParts {
  RunServices Services() { return {{source, links, pictures, files, random, sleeper}, window}; }

  FakeRunWindow window;
  SeededRandom random{1};
  ScriptedShareSource source{window, random};
  FakeLinks links;
  FakePictures pictures;
  MemoryFileSystem files;
  CountingSleeper sleeper;
};

}  // namespace pelrine

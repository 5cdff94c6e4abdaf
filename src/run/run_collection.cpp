#include "run/run_collection.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "guang/insert_word_list.h"
#include "guang/no_repeat_picker.h"
#include "net/gbk_text.h"
#include "run/output_files.h"
#include "run/template_renderer.h"

namespace pelrine {
namespace {

constexpr int kAttemptsPerPage = 3;
constexpr int kMillisecondsBetweenAttempts = 3000;
constexpr int kEmptyPagesPerWord = 3;
constexpr size_t kRepeatsThatEndAWord = 5;
constexpr long long kDefaultSharesPerFile = 6;

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void KeepUnlessEmpty(std::string& link, std::string converted) {
  if (!converted.empty()) link = std::move(converted);
}

std::string WithTrailingBackslash(std::string directory) {
  if (directory.empty() || FindLastOnCharBoundary(directory, "\\") != directory.size() - 1)
    directory += '\\';
  return directory;
}

// pageUrl, pictureUrl and CR LF of every share, in order.
std::string PageSignature(const std::vector<ShareRecord>& page) {
  std::string signature;
  for (const ShareRecord& share : page) signature += share.pageUrl + share.pictureUrl + "\r\n";
  return signature;
}

size_t CountRepeats(const std::vector<ShareRecord>& page, std::string_view signature) {
  return static_cast<size_t>(std::count_if(page.begin(), page.end(), [&](const ShareRecord& s) {
    return FindOnCharBoundary(signature, s.pageUrl + s.pictureUrl) != std::string_view::npos;
  }));
}

class CollectionRun {
 public:
  CollectionRun(const RunServices& services, RunFlags& flags)
      : window_(services.window), services_(services), flags_(flags) {}

  void Run();

 private:
  void RunWord(const std::string& word);
  std::vector<ShareRecord> RequestPage(const std::string& word, int page);
  std::vector<ShareRecord> CollectPage(const std::string& word, int page);
  void CheckRepeats(const std::vector<ShareRecord>& shares, int page);
  void FileLoop(const std::string& word);
  std::string RenderArticle(const std::vector<ShareRecord>& batch);
  void ConvertLink(ShareRecord& share);
  void WriteArticle(const std::string& title, const std::string& content);

  RunWindow& window_;
  const RunServices& services_;
  RunFlags& flags_;

  // Run state.
  InsertWordList words1_, words2_;
  std::vector<std::string> templates_;
  NoRepeatPicker template_picker_;
  std::string save_directory_;
  std::string extension_;
  long long per_word_limit_ = 0;
  int saved_files_ = 0;

  // Per search word.
  size_t shares_per_file_ = kDefaultSharesPerFile;
  std::string output_directory_;
  std::vector<ShareRecord> pending_;
  long long collected_ = 0;
  int empty_pages_ = 0;
  bool word_ended_ = false;
  std::string first_signature_, previous_signature_;
};

void CollectionRun::Run() {
  words1_ = InsertWordList::FromText(window_.InsertWords1());
  words2_ = InsertWordList::FromText(window_.InsertWords2());
  const std::vector<std::string> search_words = SplitText(window_.SearchWords(), "|");
  templates_ = ContentTemplates(window_.ContentTemplates());
  save_directory_ = WithTrailingBackslash(window_.SaveDirectory());
  extension_ = window_.Extension();
  per_word_limit_ = LeadingInteger(window_.PerWordLimit());
  for (const std::string& word : search_words) {
    if (flags_.stopRequested) break;
    RunWord(word);
  }
  window_.SetStatusText("");
}

void CollectionRun::RunWord(const std::string& word) {
  const long long per_file = LeadingInteger(window_.SharesPerFile());
  shares_per_file_ = per_file < 1 ? kDefaultSharesPerFile : static_cast<size_t>(per_file);
  output_directory_ = save_directory_ + (window_.PerWordSubdirectory() ? word + "\\" : "");
  CreatePathDirectories(output_directory_, services_.files);

  pending_.clear();
  collected_ = 0;
  empty_pages_ = 0;
  word_ended_ = false;
  first_signature_.clear();
  previous_signature_.clear();

  for (int page = 1; !flags_.stopRequested; ++page) {
    const std::vector<ShareRecord> shares = CollectPage(word, page);
    if (!shares.empty()) {
      CheckRepeats(shares, page);
    } else if (++empty_pages_ >= kEmptyPagesPerWord) {
      empty_pages_ = 0;
      word_ended_ = true;
    }
    previous_signature_ = PageSignature(shares);
    if (!word_ended_) {
      collected_ += static_cast<long long>(shares.size());
      pending_.insert(pending_.end(), shares.begin(), shares.end());
      if (per_word_limit_ > 0 && collected_ >= per_word_limit_) word_ended_ = true;
    }
    FileLoop(word);
    if (word_ended_ || flags_.stopRequested) break;
  }
}

// Up to three requests for the page, with a pause between them while it
// stays empty.
std::vector<ShareRecord> CollectionRun::CollectPage(const std::string& word, int page) {
  std::vector<ShareRecord> shares;
  for (int attempt = 1; shares.empty(); ++attempt) {
    shares = RequestPage(word, page);
    if (attempt >= kAttemptsPerPage) break;
    if (shares.empty()) WaitWithEvents(kMillisecondsBetweenAttempts, window_, services_.sleeper);
  }
  return shares;
}

std::vector<ShareRecord> CollectionRun::RequestPage(const std::string& word, int page) {
  const std::string templates = window_.ContentTemplates() + window_.TitleTemplate();
  const int type = window_.ShareType();
  const int sort = window_.Ranking();
  const int category = window_.Category();
  const int comment_count = ClampToInt(LeadingInteger(window_.CommentCount()));
  std::string tag_separator = window_.TagSeparator();
  return services_.shares.CollectSearchPage(templates, word, type, sort, category, page, words1_,
                                            words2_, tag_separator, comment_count, &window_);
}

// A page that repeats five or more shares of page 1, or of the page before,
// ends the word.
void CollectionRun::CheckRepeats(const std::vector<ShareRecord>& shares, int page) {
  if (page == 1)
    first_signature_ = PageSignature(shares);
  else if (CountRepeats(shares, first_signature_) >= kRepeatsThatEndAWord)
    word_ended_ = true;
  if (!previous_signature_.empty() && !word_ended_ &&
      CountRepeats(shares, previous_signature_) >= kRepeatsThatEndAWord)
    word_ended_ = true;
}

void CollectionRun::FileLoop(const std::string& word) {
  while (pending_.size() >= shares_per_file_ ||
         (!pending_.empty() && (word_ended_ || flags_.stopRequested || flags_.previewMode))) {
    std::vector<ShareRecord> batch;
    if (pending_.size() < shares_per_file_ || flags_.previewMode) {
      batch = std::move(pending_);
      pending_.clear();
    } else {
      const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(shares_per_file_);
      batch.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(end));
      pending_.erase(pending_.begin(), end);
    }
    if (window_.SwapSameKind()) SwapSameKind(batch, services_.random, window_);
    const std::string content = RenderArticle(batch);
    const std::string title_template = window_.TitleTemplate();
    const TitleInsertion insertion{window_.InsertSearchWordIntoTitle(), window_.TitlePosition(),
                                   word};
    const std::string title =
        RenderTitle(title_template, batch.front(), content, insertion, services_.random, window_);
    if (flags_.previewMode) {
      window_.ShowPreview(content, output_directory_, title);
      flags_.stopRequested = true;
      return;
    }
    WriteArticle(title, content);
  }
}

// Each share rendered through a template of the picker's choice, with its
// picture and buy link localised on a copy, and followed by CR LF. A share
// that would take the article beyond the size limit is left out.
std::string CollectionRun::RenderArticle(const std::vector<ShareRecord>& batch) {
  std::string content;
  for (const ShareRecord& share : batch) {
    const std::string& tmpl = templates_[static_cast<size_t>(
        template_picker_.Pick(1, static_cast<int>(templates_.size()), services_.random) - 1)];
    ShareRecord copy = share;
    if (window_.DownloadPictures())
      LocalisePicture(output_directory_, window_.PictureDirectoryName(), copy, services_.files,
                      services_.pictures, window_);
    if (window_.ConvertAffiliateLinks()) ConvertLink(copy);
    const size_t room = kMaxRenderedBytes - content.size();
    const std::string rendered = RenderShare(tmpl, copy, room);
    if (rendered.size() + 2 <= room) content += rendered + "\r\n";
  }
  return content;
}

// The share's buy link becomes its affiliate link, shortened by the chosen
// option. A conversion that gives "" leaves the link it was given, so a share
// never loses its buy link.
void CollectionRun::ConvertLink(ShareRecord& share) {
  window_.SetStatusText("正在转换淘宝客链接..");
  LinkConverter& links = services_.links;
  KeepUnlessEmpty(
      share.itemUrl,
      links.AffiliateLink(window_.AppKey(), window_.AppSecret(), window_.Pid(), share.itemTitle,
                          share.tags, share.album == "默认专辑" ? "" : share.album, window_));
  const int option = window_.ShortUrlOption();
  if (option == 0) return;
  window_.SetStatusText("正在执行短网址选项..");
  if (option == 1)
    KeepUnlessEmpty(share.itemUrl, links.ShortenWithDwz(share.itemUrl));
  else if (option == 2)
    KeepUnlessEmpty(share.itemUrl, links.ShortenWithCnzz(share.itemUrl));
  else
    KeepUnlessEmpty(share.itemUrl,
                    links.ShortenWithInterface(share.itemUrl, window_.ShortUrlInterfaceValues()));
}

void CollectionRun::WriteArticle(const std::string& title, const std::string& content) {
  const std::string name = ArticleFileName(title, extension_);
  if (!services_.files.WriteWholeFile(output_directory_ + name, content)) return;
  window_.SetStatusText(name);
  ++saved_files_;
  window_.SetCollectCaption("已保存.." + std::to_string(saved_files_) + " 个文件");
}

}  // namespace

void RunCollection(const RunServices& services, RunFlags& flags) {
  CollectionRun(services, flags).Run();
}

}  // namespace pelrine

#include "guang/guang_client.h"

#include "guang/page_text.h"
#include "guang/regex_object.h"
#include "guang/search_listing.h"
#include "guang/share_comments.h"
#include "guang/share_details.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr int kDefaultCommentCount = 10;

bool Holds(std::string_view templates, std::string_view marker) {
  return FindOnCharBoundary(templates, marker) != std::string_view::npos;
}

// What the templates ask of every share.
struct Wanted {
  explicit Wanted(std::string_view templates)
      : comments(Holds(templates, "#评论#")),
        album(Holds(templates, "#专辑#")),
        insert_word1(Holds(templates, "#插入词1#")),
        insert_word2(Holds(templates, "#插入词2#")) {}
  bool comments, album, insert_word1, insert_word2;
};

}  // namespace

std::vector<ShareRecord> GuangClient::CollectSearchPage(
    std::string_view templates, std::string_view search_word, int type, int sort, int category,
    int page, InsertWordList& words1, InsertWordList& words2, std::string& tag_separator,
    int comment_count, StatusLabel* status) {
  RegexObject blanks;
  blanks.Create(kAlbumNameBlanks);
  std::vector<ShareRecord> results;
  if (tag_separator.empty()) tag_separator = ",";
  if (comment_count < 1) comment_count = kDefaultCommentCount;
  const std::string word(search_word);
  const std::string page_text = std::to_string(page);
  if (status) status->SetStatusText("搜索 " + word + "(" + page_text + ")..");

  const Wanted wanted(templates);
  const std::string listing = FetchPageText(
      transport_, SearchListingUrl(hosts_.guang, search_word, type, sort, category, page));
  long long position = 0;
  int counter = 0;
  for (std::string entry = NextShareEntry(listing, &position); !entry.empty();
       entry = NextShareEntry(listing, &position)) {
    ++counter;
    const ShareKeys keys = CutShareKeys(entry);
    ShareRecord share;
    share.shareId = keys.share_id;
    share.pageUrl = DetailPageUrl(hosts_.guang, keys);
    if (status)
      status->SetStatusText("搜索词：" + word + " (" + page_text + ")..正在访问页面 (" +
                            std::to_string(counter) + ").." + share.pageUrl);

    const std::optional<std::string> album_entry = FindAlbumEntry(
        FetchPageText(transport_, AlbumListingUrl(hosts_.guang, keys)), keys.share_id);
    if (!album_entry) continue;
    const std::string app_id = ReadAlbumEntry(*album_entry, tag_separator, share);
    if (wanted.comments)
      share.comments = ReadComments(transport_, hosts_.comment, keys, comment_count, app_id);
    if (wanted.album)
      share.album = AlbumNameFromPage(FetchPageText(transport_, share.pageUrl), blanks);
    if (wanted.insert_word1) share.insertWord1 = words1.Draw(random_);
    if (wanted.insert_word2) share.insertWord2 = words2.Draw(random_);
    results.push_back(std::move(share));
  }
  return results;
}

}  // namespace pelrine

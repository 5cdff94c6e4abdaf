// The simulator's world: search words, the shares each result page lists,
// and every share's details, all made up from the seed. Pure: the same seed
// and size give the same answers to every question.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace guang_sim {

// words x pages x shares per page: the size of the search results.
struct CatalogSize {
  int words = 3, pages = 10, shares = 6;
};

struct Comment {
  std::string nick, uid;
  std::string text;     // the text after the commenter's link, as the page shows it
  bool escape_unicode;  // written with \u escapes in the answer
};

enum class PriceKind { kPresent, kEmpty, kAbsent };

enum class CommentKey { kNone, kFirst, kSecond };  // which target key holds the comments

// How the detail page is written: its charset and how it declares it.
enum class PageKind {
  kGbkDeclared,          // <meta charset="gbk">
  kGbkUndeclared,        // no charset anywhere
  kUtf8HttpEquiv,        // UTF-8, charset=utf-8 in an http-equiv meta
  kUtf8QuotedCapital,    // UTF-8, CHARSET="UTF-8"
  kGbkBodyMentionsUtf8,  // GBK declared in the head, "charset=utf-8" only in the body
  kUtf8WithoutHead,      // UTF-8 fragment without a head, charset=utf-8 in it
};

struct Share {
  std::string id, uid, album_id, app_id;
  std::string picture;  // file name under /pic/, extension and query as listed
  std::string date, description, nick;
  int likes = 0, flowers = 0, eggs = 0;
  std::vector<std::string> tags;
  bool has_item = false;
  std::string item_id, item_title, price;
  PriceKind price_kind = PriceKind::kAbsent;
  bool in_album = true;      // false: the album listing leaves the share out
  bool prefix_twin = false;  // the album lists the id followed by a digit before the share
  std::string album_name;    // as the detail page writes it; "" when the page has no album heading
  PageKind page_kind = PageKind::kGbkDeclared;
  CommentKey comment_key = CommentKey::kNone;
  std::vector<Comment> comments;
};

class Catalog {
 public:
  // `steady`: every page answers in full at once and every word ends by
  // repeating its last page, so that a benchmark never meets the program's
  // pauses between attempts.
  Catalog(uint64_t seed, CatalogSize size, bool steady = false);

  CatalogSize size() const { return size_; }
  // The words whose results make up the size; other words are served too.
  const std::vector<std::string>& words() const { return words_; }

  // The share ids listed on page `page` (from 1) of `word`. Past the last
  // page a word ends as the service does: repeating its last or its first
  // page, or with empty pages.
  std::vector<std::string> PageShareIds(std::string_view word, int page) const;
  // True when the page answers empty to its first request only.
  bool PageEmptyOnFirstRequest(std::string_view word, int page) const;

  // The share of any id, listed or not.
  Share FindShare(std::string_view id) const;
  // Ids of the other shares in an album.
  std::vector<std::string> AlbumMates(std::string_view album_id) const;

 private:
  uint64_t WordSlot(std::string_view word) const;

  uint64_t seed_;
  CatalogSize size_;
  bool steady_;
  std::vector<std::string> words_;
};

}  // namespace guang_sim

#include "guang/search_listing.h"

#include "guang/text_between.h"
#include "net/url_encode.h"

namespace pelrine {
namespace {

std::string CutKey(std::string_view entry, std::string_view left) {
  return TextBetween(entry, left, ",", 0, 0, nullptr, false, true);
}

}  // namespace

std::string SearchListingUrl(std::string_view host, std::string_view search_word, int type,
                             int sort, int category, int page) {
  return "http://" + std::string(host) +
         "/search/ajax/get_search_source.json?page_size=6&cpage=" + std::to_string(page) +
         "&_input_charset=utf-8&cat_id=" + std::to_string(category) +
         "&sort=" + std::to_string(sort) + "&type=" + std::to_string(type) +
         "&q=" + UrlEncodeGbk(UrlEncodeGbk(search_word));
}

std::string NextShareEntry(std::string_view listing, long long* position) {
  return TextBetween(listing, "{''bought'':", "''width'':", 0, 0, position, false, true);
}

ShareKeys CutShareKeys(std::string_view entry) {
  return {.user_id = CutKey(entry, "''uid'':"),
          .album_id = CutKey(entry, "''favContAlbumId'':"),
          .share_id = CutKey(entry, "''rid'':")};
}

std::string DetailPageUrl(std::string_view host, const ShareKeys& keys) {
  return "http://" + std::string(host) + "/detail/index.htm?uid=" + keys.user_id +
         "&sid=" + keys.share_id;
}

}  // namespace pelrine

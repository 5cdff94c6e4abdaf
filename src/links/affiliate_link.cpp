#include "links/affiliate_link.h"

#include <vector>

#include "guang/text_between.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr char kItemSearch[] = "taobao.taobaoke.items.get";

class ItemSearch {
 public:
  ItemSearch(const OpenPlatformGateway& gateway, std::string_view app_key,
             std::string_view app_secret, std::string_view pid)
      : gateway_(gateway), app_key_(app_key), app_secret_(app_secret), pid_(pid) {}

  // The click_url of the one item the search returns for `keyword`; "" when none.
  std::string Query(std::string_view keyword) const {
    const std::string parameters =
        "&keyword=" + std::string(keyword) + "&pid=" + pid_ +
        "&fields=click_url&sort=commissionNum_desc&page_size=1&page_no=1";
    const std::string response =
        OpenPlatformCall(gateway_, app_key_, app_secret_, kItemSearch, parameters);
    return TextBetween(response, "<click_url>", "</click_url>");
  }

  // The first link found for the whole text and then each of its pieces.
  std::string QueryWholeAndPieces(std::string_view text, std::string_view delimiter) const {
    std::string link = Query(text);
    if (!link.empty()) return link;
    for (const std::string& piece : SplitText(text, delimiter)) {
      link = Query(piece);
      if (!link.empty()) return link;
    }
    return "";
  }

 private:
  const OpenPlatformGateway& gateway_;
  std::string app_key_, app_secret_, pid_;
};

}  // namespace

std::string AffiliateLink(const OpenPlatformGateway& gateway, std::string_view app_key,
                          std::string_view app_secret, std::string_view pid,
                          std::string_view item_title, std::string_view tags,
                          std::string_view album, TagSeparatorBox& separator,
                          std::string_view fallback) {
  const ItemSearch search(gateway, app_key, app_secret, pid);
  std::string link;
  if (!item_title.empty()) link = search.QueryWholeAndPieces(item_title, " ");
  if (link.empty() && !tags.empty())
    link = search.QueryWholeAndPieces(tags, separator.TagSeparator());
  if (link.empty() && !album.empty()) link = search.Query(album);
  if (link.empty()) link = fallback;
  return link;
}

}  // namespace pelrine

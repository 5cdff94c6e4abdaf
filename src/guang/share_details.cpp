#include "guang/share_details.h"

#include "guang/decode_entities.h"
#include "guang/text_between.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr std::string_view kDefaultAlbum = "默认专辑";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool HoldsId(std::string_view entry, std::string_view id_key) {
  for (size_t at = FindOnCharBoundary(entry, id_key); at != std::string_view::npos;
       at = FindOnCharBoundary(entry, id_key, at + GbkCharLength(entry, at))) {
    const size_t after = at + id_key.size();
    if (after == entry.size() || !IsDigit(entry[after])) return true;
  }
  return false;
}

std::string Cut(std::string_view entry, std::string_view left, std::string_view right) {
  return TextBetween(entry, left, right, 0, 0, nullptr, false, true);
}

}  // namespace

std::string AlbumListingUrl(std::string_view host, const ShareKeys& keys) {
  return "http://" + std::string(host) + "/detail/ajax/album.json?sid=" + keys.share_id +
         "&uid=" + keys.user_id + "&aid=" + keys.album_id;
}

std::optional<std::string> FindAlbumEntry(std::string_view listing, std::string_view share_id) {
  if (share_id.empty()) return std::nullopt;
  const std::string id_key = ExpandQuotes("''id'':") + std::string(share_id);
  long long position = 0;
  for (;;) {
    std::string entry =
        TextBetween(listing, "{''actionType'':", "''userId'':", 0, 0, &position, false, true);
    if (entry.empty()) return std::nullopt;
    if (HoldsId(entry, id_key)) return entry;
  }
}

std::string ReadAlbumEntry(std::string_view entry, std::string_view tag_separator,
                           ShareRecord& share) {
  std::string app_id = Cut(entry, "''appId'':", ",");
  share.pictureUrl = Cut(entry, "''coverUrl'':''", "''");
  share.date = Cut(entry, "''createTimeStr'':''", "''");
  share.description = Cut(entry, "''description'':''", "'',''");
  share.likeCount = Cut(entry, "''favorCount'':", ",");
  share.flowerCount = Cut(entry, "''flowerCount'':", ",");
  share.nick = Cut(entry, "''nick'':''", "''");
  share.eggCount = Cut(entry, "''shitCount'':", ",");
  share.tags = Cut(entry, "''tagList'':[''", "'']");
  share.itemTitle = Cut(entry, "''title'':''", "''");
  share.itemUrl = Cut(entry, "''url'':''", "''");
  share.price = Cut(entry, "''price'':''", "''");

  share.tags = ReplaceAll(share.tags, "\",\"", tag_separator);
  share.description = DecodeEntities(share.description);
  return app_id;
}

std::string AlbumNameFromPage(std::string_view page, RegexObject& blanks) {
  const std::string heading =
      TextBetween(page, "<h3 class=''album__title''>", "</h3>", 0, 0, nullptr, false, true);
  const std::string link = TextBetween(heading, "<a", "</a>") + "</a>";
  const std::string name = blanks.Replace(DecodeEntities(TextBetween(link, ">", "</a>")), "");
  return name.empty() ? std::string(kDefaultAlbum) : name;
}

}  // namespace pelrine

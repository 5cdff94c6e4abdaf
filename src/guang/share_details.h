// A share's details: its entry in the album listing, the fields cut from
// that entry, and the album name from its detail page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "guang/regex_object.h"
#include "guang/search_listing.h"
#include "guang/share_record.h"
#include "net/transport.h"

namespace pelrine {

std::string AlbumListingUrl(std::string_view host, const ShareKeys& keys);

// The share's own entry of the album listing: the first entry holding the id
// key followed by `share_id` (letter case counts) where no digit follows the
// id, so that 1234 is not taken for 123. A share without id has no entry.
std::optional<std::string> FindAlbumEntry(std::string_view listing, std::string_view share_id);

// Fills the picture address, date, description, counts, nick, tags and the
// item's title, buy link and price of `share` from its album entry, and
// answers the share's application id. Tags are joined by `tag_separator`.
std::string ReadAlbumEntry(std::string_view entry, std::string_view tag_separator,
                           ShareRecord& share);

// The album name of a detail page: the text of the first link in its album
// heading, without entities and without any whitespace (removed with
// `blanks`, which holds the whitespace pattern); "默认专辑" when there is none.
std::string AlbumNameFromPage(std::string_view page, RegexObject& blanks);

// The pattern that `blanks` of AlbumNameFromPage holds.
inline constexpr std::string_view kAlbumNameBlanks = "[\\11\\r\\n 　]";

}  // namespace pelrine

// The user's affiliate link for a share's item: the open platform's
// affiliate item search, sorted by commission, queried with keywords taken
// from the share until one finds an item.
#pragma once

#include <string>
#include <string_view>

#include "links/link_converter.h"
#include "links/open_platform_call.h"

namespace pelrine {

// The click_url of the first item found for the keywords, in order: the
// whole title and its pieces between blanks; the whole tags text and its
// pieces between the tag separator (read from `separator` when that stage
// starts); the album. `fallback` when none finds one, so never "".
std::string AffiliateLink(const OpenPlatformGateway& gateway, std::string_view app_key,
                          std::string_view app_secret, std::string_view pid,
                          std::string_view item_title, std::string_view tags,
                          std::string_view album, TagSeparatorBox& separator,
                          std::string_view fallback);

}  // namespace pelrine

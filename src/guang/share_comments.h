// A share's comments from the comment host: the request with its second
// attempt, and the comment texts cut from the list and joined.
#pragma once

#include <string>
#include <string_view>

#include "guang/search_listing.h"
#include "net/transport.h"

namespace pelrine {

// The comment listing of the share; `suffix` is "" on the first attempt and
// "_2" on the second. Values go out as they are.
std::string CommentListingUrl(std::string_view host, const ShareKeys& keys, int comment_count,
                              std::string_view suffix, std::string_view app_id);

// The comment list of a response: its script escapes decoded, the first
// segment between "<ul " and "</ul>"; "" when there is none.
std::string CommentList(std::string_view response);

// The comment texts of a list, each trimmed of spaces and full-width spaces,
// joined without separator; the walk ends at the first item without text.
// "回复" is removed and entities decoded.
std::string JoinComments(std::string_view list);

// Fetches the share's comment list, a second time with the "_2" key when the
// first has no item, and answers its joined texts.
std::string ReadComments(Transport& transport, std::string_view host, const ShareKeys& keys,
                         int comment_count, std::string_view app_id);

}  // namespace pelrine

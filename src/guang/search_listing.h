// The service's search listing: the request for one result page and the
// keys of each share it lists.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// The keys of one listed share, exactly as cut (normally decimal digits;
// "" when the entry lacks the key).
struct ShareKeys {
  std::string user_id;
  std::string album_id;
  std::string share_id;
};

// The listing address of result page `page`; the search word goes out
// percent-encoded twice, every byte of it.
std::string SearchListingUrl(std::string_view host, std::string_view search_word, int type,
                             int sort, int category, int page);

// The next share's entry of the listing at or after `*position` (1-based,
// carried from entry to entry); "" when the listing holds no more.
std::string NextShareEntry(std::string_view listing, long long* position);

ShareKeys CutShareKeys(std::string_view entry);

// The share's detail page, its `pageUrl`.
std::string DetailPageUrl(std::string_view host, const ShareKeys& keys);

}  // namespace pelrine

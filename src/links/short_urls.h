// Shortening a long address: through the dwz service, the CNZZ service or a
// user-defined interface. Each gives the short address, or "" when the
// conversion failed.
#pragma once

#include <string>
#include <string_view>

#include "links/short_url_interface.h"
#include "net/http_utility.h"

namespace pelrine {

// POSTs the address to http://`host`/create.php and cuts the "tinyurl" value
// out of the answer, "\/" written as "/".
std::string ShortenWithDwz(HttpUtility& http, std::string_view host, std::string_view long_url);

// GETs http://`host`/v1/data/link_conv/rd_dispatcher.php with the address;
// the answer is the short address alone. An answer that is not one http(s)
// address (an error document, an error page) is a failure.
std::string ShortenWithCnzz(HttpUtility& http, std::string_view host, std::string_view long_url);

// Sends the address as the interface describes (its "#网址#" places, method
// and encoding) through a page fetch, and cuts and rewrites the answer.
std::string ShortenWithInterface(Transport& transport, std::string_view long_url,
                                 const ShortUrlInterface& api);

// The text as one http(s) address, blanks at its ends dropped; "" when it is
// not one: another scheme, no host, or a blank, control byte, quote or angle
// bracket inside.
std::string SingleWebAddress(std::string_view text);

}  // namespace pelrine

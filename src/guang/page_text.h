// Service pages as GBK text: fetched with the service client's time-out and
// converted from UTF-8 when the page declares it.
#pragma once

#include <string>
#include <string_view>

#include "net/transport.h"

namespace pelrine {

// Fetches `address` with a plain GET and a 30-second time-out and returns
// the body up to its first zero byte after FixPageCharset. A time-out gives
// the time-out message as the page.
std::string FetchPageText(Transport& transport, std::string_view address, int charset_mode = 0);

// Mode 0: converts the page from UTF-8 when its head (the whole page when it
// has no head) declares charset=utf-8, quoted or not, in any case. Mode 2:
// always converts. Other modes leave the page as it is.
std::string FixPageCharset(std::string page, int charset_mode);

// Whether `text` holds any (`any`) or every item of a list separated by
// "[fg]", ignoring case. An empty list holds no item: false for any, true
// for every.
bool ContainsItems(std::string_view text, std::string_view items, bool any);

}  // namespace pelrine

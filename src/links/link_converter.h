// The link services a run uses for every share's buy link: the affiliate
// link search and the three shortenings. None of them fails: a failure ends
// in the fallback link (affiliate) or in "" (shortenings).
#pragma once

#include <string>
#include <string_view>

#include "links/short_url_interface.h"

namespace pelrine {

// The window's tag separator box, which the affiliate search reads when its
// tag stage starts.
class TagSeparatorBox {
 public:
  virtual ~TagSeparatorBox() = default;
  virtual std::string TagSeparator() = 0;
};

class LinkConverter {
 public:
  virtual ~LinkConverter() = default;
  virtual std::string AffiliateLink(std::string_view app_key, std::string_view app_secret,
                                    std::string_view pid, std::string_view item_title,
                                    std::string_view tags, std::string_view album,
                                    TagSeparatorBox& separator) = 0;
  virtual std::string ShortenWithDwz(std::string_view long_url) = 0;
  virtual std::string ShortenWithCnzz(std::string_view long_url) = 0;
  virtual std::string ShortenWithInterface(std::string_view long_url,
                                           const ShortUrlInterface& api) = 0;
};

}  // namespace pelrine

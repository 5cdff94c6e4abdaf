#include "links/service_links.h"

#include <utility>

#include "links/affiliate_link.h"
#include "links/short_urls.h"

namespace pelrine {

ServiceLinks::ServiceLinks(Transport& transport, ServiceHosts hosts)
    : transport_(transport),
      hosts_(std::move(hosts)),
      open_platform_http_(transport),
      short_url_http_(transport),
      gateway_{open_platform_http_, hosts_.open_platform, OpenPlatformTimestamp} {}

std::string ServiceLinks::AffiliateLink(std::string_view app_key, std::string_view app_secret,
                                        std::string_view pid, std::string_view item_title,
                                        std::string_view tags, std::string_view album,
                                        TagSeparatorBox& separator) {
  return pelrine::AffiliateLink(gateway_, app_key, app_secret, pid, item_title, tags, album,
                                separator, hosts_.promotion_link);
}

std::string ServiceLinks::ShortenWithDwz(std::string_view long_url) {
  return pelrine::ShortenWithDwz(short_url_http_, hosts_.dwz, long_url);
}

std::string ServiceLinks::ShortenWithCnzz(std::string_view long_url) {
  return pelrine::ShortenWithCnzz(short_url_http_, hosts_.cnzz, long_url);
}

std::string ServiceLinks::ShortenWithInterface(std::string_view long_url,
                                               const ShortUrlInterface& api) {
  return pelrine::ShortenWithInterface(transport_, long_url, api);
}

}  // namespace pelrine

// The link services of the program: the affiliate search through the open
// platform and the three shortenings, each service at its configured host.
// The open platform and the dwz and CNZZ services each have an HTTP utility
// object of their own; the custom interface goes through the page fetch.
#pragma once

#include "links/link_converter.h"
#include "links/open_platform_call.h"
#include "net/http_utility.h"
#include "net/service_hosts.h"
#include "net/transport.h"

namespace pelrine {

class ServiceLinks final : public LinkConverter {
 public:
  ServiceLinks(Transport& transport, ServiceHosts hosts);

  std::string AffiliateLink(std::string_view app_key, std::string_view app_secret,
                            std::string_view pid, std::string_view item_title,
                            std::string_view tags, std::string_view album,
                            TagSeparatorBox& separator) override;
  std::string ShortenWithDwz(std::string_view long_url) override;
  std::string ShortenWithCnzz(std::string_view long_url) override;
  std::string ShortenWithInterface(std::string_view long_url,
                                   const ShortUrlInterface& api) override;

 private:
  Transport& transport_;
  ServiceHosts hosts_;
  HttpUtility open_platform_http_;
  HttpUtility short_url_http_;
  OpenPlatformGateway gateway_;
};

}  // namespace pelrine

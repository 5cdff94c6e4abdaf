// Where the outside services live: host[:port] of each, and the full address
// of the fallback promotion link. The built-in values are the services'
// public hosts; the program may override each at start.
#pragma once

#include <string>

namespace pelrine {

struct ServiceHosts {
  std::string guang = "guang.taobao.com";                 // search, album and detail pages
  std::string comment = "comment.jianghu.taobao.com";     // comment listing
  std::string open_platform = "gw.api.taobao.com";        // the REST gateway
  std::string dwz = "dwz.cn";                             // dwz short URLs
  std::string cnzz = "s.cnzz.com";                        // CNZZ short URLs
  std::string promotion_link = "http://www.taobao.com/";  // when no affiliate link is found
};

}  // namespace pelrine

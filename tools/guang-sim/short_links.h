// The short-URL services: dwz, CNZZ and a custom interface of our own, and
// the short addresses they hand out, which redirect to the long ones.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "exchange.h"

namespace guang_sim {

class ShortLinks {
 public:
  explicit ShortLinks(uint64_t seed) : seed_(seed) {}

  // dwz: the long address in "url" (form or query); a JSON answer that opens
  // with {"tinyurl":" and writes slashes as \/, or an error without tinyurl.
  Answer Dwz(const SimRequest& request);
  // CNZZ: the long address in the query key orig_link; the short address
  // alone, or an error text that is no address.
  Answer Cnzz(const SimRequest& request);
  // The custom interface: the long address in "longurl" (form or query),
  // answered as UTF-8 XML with the short address in <short_url>.
  Answer Custom(const SimRequest& request);
  // /s/, /c/ and /u/ followed by a code: a redirect to the long address.
  Answer Follow(const SimRequest& request) const;

 private:
  // The short address of `long_url` under `prefix`, remembered for Follow.
  std::string Shorten(std::string_view prefix, const std::string& long_url,
                      const std::string& host);

  uint64_t seed_;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> long_urls_;  // by path of the short address
};

}  // namespace guang_sim

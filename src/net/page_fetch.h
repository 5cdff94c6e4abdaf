// Fetching an address: the one call through which pages, pictures and the
// custom short-URL interface are read. The request runs on the transport
// (a worker thread with a time-out); the body comes back raw or converted to
// GBK, or, when the time-out passed first, as the time-out message.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/transport.h"

namespace pelrine {

// The text returned in place of a page when the time-out passed.
extern const std::string_view kFetchTimeoutMessage;

struct PageFetchOptions {
  int method = 0;  // 1 is POST, anything else GET
  std::string proxy{};
  std::string headers{};
  std::string body{};
  std::string cookies{};
  std::optional<int> timeout_seconds{};  // 60 when not given
  int conversion = 0;  // 1: the body is UTF-8, 2: Big5 (both returned as GBK); else raw
  bool follow_redirects = true;
};

struct PageFetchResult {
  std::string body{};      // the page, or kFetchTimeoutMessage
  bool timed_out = false;  // when true `headers` and `cookies` are empty
  std::string headers{};   // the raw response header block
  std::string cookies{};   // the name=value pairs the response set, each followed by ";"
};

// Fetches `url`. A blank URL gives an empty result without a request; a URL
// that begins neither with "http://" nor with "https://" gets "http://" in
// front, in the caller's variable too.
PageFetchResult PageFetch(Transport& transport, std::string& url,
                          const PageFetchOptions& options = {});

}  // namespace pelrine

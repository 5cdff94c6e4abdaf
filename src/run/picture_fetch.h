// Fetching a share's picture: a GET of the address with the page fetch's
// default time-out.
#pragma once

#include <string>

namespace pelrine {

struct FetchedBody {
  std::string bytes;       // the body as it came; "" for an empty address or a failure
  bool timed_out = false;  // the time-out expired: `bytes` is no picture
};

class PictureFetch {
 public:
  virtual ~PictureFetch() = default;
  virtual FetchedBody Fetch(const std::string& url) = 0;
};

}  // namespace pelrine

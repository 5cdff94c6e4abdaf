// Fetching a share's picture: a GET of the address with the page fetch's
// default time-out.
#pragma once

#include <string>

#include "net/transport.h"

namespace pelrine {

struct FetchedBody {
  std::string bytes;       // the body as it came; "" for an empty address or a failure
  bool timed_out = false;  // the time-out expired: there is no picture
};

class PictureFetch {
 public:
  virtual ~PictureFetch() = default;
  virtual FetchedBody Fetch(const std::string& url) = 0;
};

// The program's picture fetch: PageFetch with its defaults.
class PagePictureFetch final : public PictureFetch {
 public:
  explicit PagePictureFetch(Transport& transport) : transport_(transport) {}
  FetchedBody Fetch(const std::string& url) override;

 private:
  Transport& transport_;
};

}  // namespace pelrine

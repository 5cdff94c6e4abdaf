#include "run/picture_fetch.h"

#include "net/page_fetch.h"

namespace pelrine {

FetchedBody PagePictureFetch::Fetch(const std::string& url) {
  std::string address = url;
  PageFetchResult result = PageFetch(transport_, address);
  if (result.timed_out) return {"", true};
  return {std::move(result.body), false};
}

}  // namespace pelrine

// The Guang service and its comment host: search listing, album listing,
// detail page, comment listing, and the item pages the buy links lead to.
// The answers carry the marker texts the program cuts between, inside
// surroundings shaped like the real service's.
#pragma once

#include <mutex>
#include <set>
#include <string>

#include "catalog.h"
#include "exchange.h"

namespace guang_sim {

class GuangService {
 public:
  explicit GuangService(const Catalog& catalog) : catalog_(catalog) {}

  // q is the search word encoded twice; a page that is empty on its first
  // request only answers in full from the second on.
  Answer SearchListing(const SimRequest& request);
  // Lists the album's shares; the requested share only when its user and
  // album ids match.
  Answer AlbumListing(const SimRequest& request) const;
  Answer DetailPage(const SimRequest& request) const;
  // Answers the comments only to the share's own user id, application id
  // and target key (the share id, or the share id and "_2").
  Answer CommentListing(const SimRequest& request) const;
  Answer ItemPage(const SimRequest& request) const;
  // The catalog's words joined by "|", as the program's search word box takes them.
  Answer WordList() const;

 private:
  const Catalog& catalog_;
  std::mutex mutex_;
  std::set<std::string> served_pages_;
};

}  // namespace guang_sim

// Where the run gets its shares from: one page of search results with the
// details of every share. The Guang client implements it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "guang/insert_word_list.h"
#include "guang/share_record.h"

namespace pelrine {

// The window's status label, into which the client writes its progress.
class StatusLabel {
 public:
  virtual ~StatusLabel() = default;
  virtual void SetStatusText(std::string_view text) = 0;
};

class ShareSource {
 public:
  virtual ~ShareSource() = default;
  // The shares of result page `page` (from 1) of `search_word`, in listing
  // order, each with its insert words drawn; empty when the page yielded
  // nothing. `templates` is the content templates followed by the title
  // template (the client looks in it for the markers it must fill).
  // `tag_separator` comes back as "," when it arrives empty. `status` may be
  // null; then no progress is written.
  virtual std::vector<ShareRecord> CollectSearchPage(
      std::string_view templates, std::string_view search_word, int type, int sort, int category,
      int page, InsertWordList& words1, InsertWordList& words2, std::string& tag_separator,
      int comment_count, StatusLabel* status) = 0;
};

}  // namespace pelrine

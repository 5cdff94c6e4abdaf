// The Guang service client: one page of search results, each listed share
// read from its album listing and, as the templates ask, its comments, its
// detail page and its insert words.
#pragma once

#include "guang/random_source.h"
#include "guang/share_source.h"
#include "net/service_hosts.h"
#include "net/transport.h"

namespace pelrine {

class GuangClient final : public ShareSource {
 public:
  // `random` draws the insert words.
  GuangClient(Transport& transport, ServiceHosts hosts, RandomSource& random)
      : transport_(transport), hosts_(std::move(hosts)), random_(random) {}

  std::vector<ShareRecord> CollectSearchPage(std::string_view templates,
                                             std::string_view search_word, int type, int sort,
                                             int category, int page, InsertWordList& words1,
                                             InsertWordList& words2, std::string& tag_separator,
                                             int comment_count, StatusLabel* status) override;

 private:
  Transport& transport_;
  ServiceHosts hosts_;
  RandomSource& random_;
};

}  // namespace pelrine

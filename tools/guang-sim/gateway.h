// The open platform's REST gateway with its one method, the affiliate item
// search, and the click links its answers carry.
#pragma once

#include <cstdint>
#include <string>

#include "exchange.h"

namespace guang_sim {

// The platform's signature of a parameter set: the secret, then name and
// value of every pair but "sign" whose name and value are both non-empty,
// sorted by name byte-wise, then the secret again; its MD5 in upper-case hex.
std::string SignatureOf(const Params& params, std::string_view secret);

class Gateway {
 public:
  Gateway(uint64_t seed, std::string app_key, std::string app_secret)
      : seed_(seed), app_key_(std::move(app_key)), app_secret_(std::move(app_secret)) {}

  // Takes the pairs of the query and of the form body together. Answers an
  // error document when a system parameter is missing or wrong, the
  // signature does not match, or a required argument is missing or invalid;
  // else the item search's answer, in UTF-8 XML.
  Answer Rest(const SimRequest& request) const;
  // A click link leads to its item only when it arrives whole and clean:
  // the parameters e, pid and unid and nothing else.
  Answer Click(const SimRequest& request) const;

 private:
  uint64_t seed_;
  std::string app_key_, app_secret_;
};

}  // namespace guang_sim

// One request as the services see it and the answer they give.
#pragma once

#include <string>

#include "codec.h"

namespace guang_sim {

struct SimRequest {
  std::string method, path;
  std::string host;  // the Host header: the address the client reached, for the links in answers
  Params query;      // decoded pairs of the query
  Params form;       // decoded pairs of the body, as a form
};

struct Answer {
  int status = 200;
  std::string content_type;
  std::string body;
  std::string location;  // for redirects
};

// An HTML page for a status other than 200.
Answer ErrorPage(int status, std::string_view reason);

}  // namespace guang_sim

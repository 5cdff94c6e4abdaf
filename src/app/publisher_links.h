// The publisher's pages that the banner row and the affiliate settings open.
#pragma once

namespace pelrine {

struct PublisherLinks {
  const char* home = "http://www.quorvel.com/";
  const char* updates = "http://www.quorvel.com/pelrine/update.htm";
  const char* products = "http://www.quorvel.com/software/";
  const char* messenger = "http://www.quorvel.com/contact.htm";
  const char* app_key_help = "http://open.taobao.com/";
};

}  // namespace pelrine

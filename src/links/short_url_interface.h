// A user-defined short-URL interface: the ten values of the interface group
// of the main window, read at the moment of each conversion.
#pragma once

#include <string>

namespace pelrine {

struct ShortUrlInterface {
  int method = 0;         // 0 GET, 1 POST
  int url_encoding = 0;   // 0 GBK, 1 UTF-8: the encoded bytes and the answer's charset
  std::string address;    // "#网址#" stands for the encoded long address
  std::string post_data;  // the body of a POST; "#网址#" as in the address
  std::string left_marker;
  std::string right_marker;
  bool reverse = false;   // look for the markers from the end of the answer
  bool replace = false;   // rewrite the cut answer by the two lists
  std::string find_list;  // separated by "|"
  std::string replacement_list;
};

}  // namespace pelrine

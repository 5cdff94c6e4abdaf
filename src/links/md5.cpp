#include "links/md5.h"

namespace pelrine {

std::string UpperHex(const unsigned char (&digest)[16]) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(32);
  for (const unsigned char byte : digest) {
    hex += kHexDigits[byte >> 4];
    hex += kHexDigits[byte & 0x0F];
  }
  return hex;
}

}  // namespace pelrine

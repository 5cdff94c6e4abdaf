// The MD5 digest (RFC 1321) of a byte string, through the platform's
// cryptography: CryptoAPI in the program (md5_win32.cpp), OpenSSL's libcrypto
// natively (md5_posix.cpp).
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// The digest as 32 upper-case hexadecimal digits, high nibble first; "" when
// the platform gives no digest.
std::string Md5Hex(std::string_view bytes);

// 16 digest bytes as 32 upper-case hexadecimal digits.
std::string UpperHex(const unsigned char (&digest)[16]);

}  // namespace pelrine

#include <openssl/evp.h>

#include <memory>

#include "links/md5.h"

namespace pelrine {

std::string Md5Hex(std::string_view bytes) {
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        EVP_MD_CTX_free);
  unsigned char digest[16];
  unsigned int length = 0;
  if (!context || !EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) ||
      !EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) ||
      !EVP_DigestFinal_ex(context.get(), digest, &length) || length != sizeof digest)
    return "";
  return UpperHex(digest);
}

}  // namespace pelrine

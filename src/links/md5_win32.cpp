#include <windows.h>
// (wincrypt.h builds on windows.h)
#include <wincrypt.h>

#include <algorithm>
#include <climits>

#include "links/md5.h"

namespace pelrine {
namespace {

// The CryptoAPI context and hash of one digest; both are integers, not
// pointers, so they get owners of their own.
class CryptoContext {
 public:
  CryptoContext() {
    if (!CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
      provider_ = 0;
  }
  ~CryptoContext() {
    if (provider_) CryptReleaseContext(provider_, 0);
  }
  CryptoContext(const CryptoContext&) = delete;
  CryptoContext& operator=(const CryptoContext&) = delete;
  HCRYPTPROV get() const { return provider_; }

 private:
  HCRYPTPROV provider_ = 0;
};

class Md5Hash {
 public:
  explicit Md5Hash(const CryptoContext& context) {
    if (!context.get() || !CryptCreateHash(context.get(), CALG_MD5, 0, 0, &hash_)) hash_ = 0;
  }
  ~Md5Hash() {
    if (hash_) CryptDestroyHash(hash_);
  }
  Md5Hash(const Md5Hash&) = delete;
  Md5Hash& operator=(const Md5Hash&) = delete;
  HCRYPTHASH get() const { return hash_; }

 private:
  HCRYPTHASH hash_ = 0;
};

}  // namespace

std::string Md5Hex(std::string_view bytes) {
  const CryptoContext context;
  const Md5Hash hash(context);
  if (!hash.get()) return "";
  // CryptHashData takes at most a DWORD of bytes at a time.
  for (size_t done = 0; done < bytes.size();) {
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, UINT_MAX));
    if (!CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(bytes.data() + done), piece, 0))
      return "";
    done += piece;
  }
  unsigned char digest[16];
  DWORD length = sizeof digest;
  if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &length, 0) || length != sizeof digest)
    return "";
  return UpperHex(digest);
}

}  // namespace pelrine

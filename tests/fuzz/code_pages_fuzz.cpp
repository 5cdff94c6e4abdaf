// Every conversion and percent-encoder on arbitrary bytes, with the
// round trips that must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/code_pages.h"
#include "net/gbk_text.h"
#include "net/url_encode.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

int HexValue(char digit) { return digit <= '9' ? digit - '0' : digit - 'A' + 10; }

// The bytes a percent-encoding stands for; every "%" must start an upper-case
// hex pair.
std::string PercentDecode(std::string_view encoded) {
  std::string bytes;
  for (size_t at = 0; at < encoded.size(); ++at) {
    if (encoded[at] != '%') {
      bytes += encoded[at];
      continue;
    }
    Require(at + 2 < encoded.size());
    for (const char digit : encoded.substr(at + 1, 2))
      Require((digit >= '0' && digit <= '9') || (digit >= 'A' && digit <= 'F'));
    bytes += static_cast<char>(HexValue(encoded[at + 1]) << 4 | HexValue(encoded[at + 2]));
    at += 2;
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pelrine;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = TextBeforeZero(bytes);

  // What GBK decodes to encodes back to the same characters.
  const std::wstring wide = GbkToWide(bytes);
  Require(GbkToWide(WideToGbk(wide)) == wide);
  // Through UTF-8 or straight through wide text: the same GBK text.
  const std::string utf8 = GbkToUtf8(text);
  Require(Utf8ToGbk(utf8) == WideToGbk(GbkToWide(text)));

  // Each input character gives at most as many output bytes as it had, and
  // the results are texts.
  const std::string from_utf8 = Utf8ToGbk(bytes);
  Require(from_utf8.size() <= bytes.size() && from_utf8.find('\0') == std::string::npos);
  const std::string from_big5 = Big5ToSimplifiedGbk(bytes);
  Require(from_big5.size() <= text.size() && from_big5.find('\0') == std::string::npos);

  Require(UrlEncodeGbk(bytes).size() == 3 * text.size());
  Require(PercentDecode(UrlEncodeGbk(bytes)) == text);
  Require(PercentDecode(UrlEncodeGbk(bytes, true)) == text);
  Require(PercentDecode(EncodeGbk(bytes)) == text);
  Require(PercentDecode(UrlEncodeUtf8(bytes)) == utf8);
  Require(PercentDecode(UrlEncodeUtf8(bytes, true)) == utf8);
  Require(PercentDecode(EncodeUtf8(bytes)) == utf8);
  return 0;
}

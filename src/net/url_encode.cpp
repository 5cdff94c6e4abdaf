#include "net/url_encode.h"

#include "net/code_pages.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

bool IsAsciiLetterOrDigit(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
         (byte >= 'a' && byte <= 'z');
}

bool IsSafe(unsigned char byte) {
  return IsAsciiLetterOrDigit(byte) || byte == ',' || byte == '-' || byte == '.' || byte == '/';
}

bool IsUnreserved(unsigned char byte) {
  return IsAsciiLetterOrDigit(byte) || byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

bool KeepNone(unsigned char) { return false; }

std::string PercentEncode(std::string_view bytes, bool (*keep)(unsigned char)) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (keep(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  return encoded;
}

}  // namespace

std::string UrlEncodeGbk(std::string_view text, bool keep_safe) {
  return PercentEncode(TextBeforeZero(text), keep_safe ? IsSafe : KeepNone);
}

std::string UrlEncodeUtf8(std::string_view text, bool keep_safe) {
  return PercentEncode(GbkToUtf8(text), keep_safe ? IsSafe : KeepNone);
}

std::string EncodeUtf8(std::string_view text) {
  return PercentEncode(GbkToUtf8(text), IsAsciiLetterOrDigit);
}

std::string EncodeGbk(std::string_view text) {
  return PercentEncode(TextBeforeZero(text), IsAsciiLetterOrDigit);
}

std::string FormEncode(std::string_view bytes) { return PercentEncode(bytes, IsUnreserved); }

}  // namespace pelrine

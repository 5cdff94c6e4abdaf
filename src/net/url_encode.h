// Percent-encoders for the values of a query. Each byte outside the
// encoder's keep set becomes "%" and two upper-case hex digits, so a space is
// "%20" (never "+") and "_", "~" and "*" are always encoded. A text ends at
// its first zero byte.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// The GBK bytes of `text`, every byte encoded; with `keep_safe`, ASCII
// letters, digits and "," "-" "." "/" stay as they are.
std::string UrlEncodeGbk(std::string_view text, bool keep_safe = false);

// The UTF-8 bytes of `text`, keep set as for UrlEncodeGbk.
std::string UrlEncodeUtf8(std::string_view text, bool keep_safe = false);

// The HTTP utility's encoders: ASCII letters and digits stay, every other
// byte of the UTF-8 or the GBK bytes is encoded.
std::string EncodeUtf8(std::string_view text);
std::string EncodeGbk(std::string_view text);

// Every byte as it is, zero bytes included, for a form body: ASCII letters,
// digits and "-" "." "_" "~" stay, every other byte is encoded.
std::string FormEncode(std::string_view bytes);

}  // namespace pelrine

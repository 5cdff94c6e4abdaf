#include "guang/unescape_script_text.h"

#include <optional>

#include "net/code_pages.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr std::string_view kLineBreakMark = "{$}";
constexpr std::string_view kRightSingleQuote = "\xA1\xAF";  // ’

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// The value of the `count` hexadecimal digits at `at`; -1 when they are not
// all there.
int HexNumber(std::wstring_view text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (size_t i = 0; i < count; ++i) {
    int digit = HexValue(text[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

bool IsOctalDigit(wchar_t c) { return c >= L'0' && c <= L'7'; }

// A legacy octal escape starting at `at` (the first digit): up to three
// digits when the first is 0-3, up to two when it is 4-7.
wchar_t ReadOctal(std::wstring_view text, size_t& at) {
  size_t longest = text[at] <= L'3' ? 3 : 2;
  int value = 0;
  for (size_t read = 0; read < longest && at < text.size() && IsOctalDigit(text[at]); ++read)
    value = value * 8 + (text[at++] - L'0');
  return static_cast<wchar_t>(value);
}

bool IsLineBreak(wchar_t c) { return c == L'\n' || c == L'\r'; }

// The escape after a backslash, read from `at` on.
wchar_t ReadEscape(std::wstring_view text, size_t& at) {
  wchar_t c = text[at++];
  switch (c) {
    case L'b':
      return L'\b';
    case L'f':
      return L'\f';
    case L'n':
      return L'\n';
    case L'r':
      return L'\r';
    case L't':
      return L'\t';
    case L'v':
      return L'\v';
    case L'x': {
      int value = HexNumber(text, at, 2);
      if (value < 0) return c;
      at += 2;
      return static_cast<wchar_t>(value);
    }
    default:
      if (!IsOctalDigit(c)) return c;
      --at;
      return ReadOctal(text, at);
  }
}

// The value of the string literal with this body; nullopt where the literal
// would end early or never.
std::optional<std::wstring> DecodeLiteral(std::wstring_view body) {
  std::wstring value;
  value.reserve(body.size());
  for (size_t at = 0; at < body.size();) {
    wchar_t c = body[at++];
    if (IsLineBreak(c)) return std::nullopt;
    if (c != L'\\') {
      value += c;
      continue;
    }
    if (at == body.size() || IsLineBreak(body[at])) return std::nullopt;
    value += ReadEscape(body, at);
  }
  return value;
}

std::wstring Unescape(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    if (text[at] == L'%') {
      int unit = text.substr(at + 1, 1) == L"u" ? HexNumber(text, at + 2, 4) : -1;
      if (unit >= 0) {
        result += static_cast<wchar_t>(unit);
        at += 6;
        continue;
      }
      int byte = HexNumber(text, at + 1, 2);
      if (byte >= 0) {
        result += static_cast<wchar_t>(byte);
        at += 3;
        continue;
      }
    }
    result += text[at++];
  }
  return result;
}

}  // namespace

std::string UnescapeScriptText(std::string_view text) {
  std::string body = ReplaceAll(text, "\r\n", kLineBreakMark);
  if (!body.empty() && body[0] == '\r') std::erase(body, '\r');
  body = ReplaceAll(body, "\\u", "%u");

  std::optional<std::wstring> value = DecodeLiteral(GbkToWide(body));
  if (!value) return "";
  std::string decoded = WideToGbk(Unescape(*value));
  return ReplaceAll(ReplaceAll(decoded, kRightSingleQuote, "'"), kLineBreakMark, "\r\n");
}

}  // namespace pelrine

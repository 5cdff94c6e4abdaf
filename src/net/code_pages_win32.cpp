#include <windows.h>

#include <climits>

#include "net/code_pages.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr UINT kGbk = 936;
constexpr UINT kBig5 = 950;
constexpr LCID kChinesePrc = 2052;

// The system functions take int lengths; longer input (2 GiB and more) gives
// "" rather than a length that wraps.
bool FitsInt(size_t size) { return size <= static_cast<size_t>(INT_MAX); }

std::wstring ToWide(UINT code_page, std::string_view bytes) {
  if (bytes.empty() || !FitsInt(bytes.size())) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(UINT code_page, DWORD flags, std::wstring_view wide,
                     const char* default_char = nullptr) {
  if (wide.empty() || !FitsInt(wide.size())) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, default_char, nullptr);
  std::string bytes(length, '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), size, bytes.data(), length, default_char,
                      nullptr);
  return bytes;
}

}  // namespace

std::wstring GbkToWide(std::string_view gbk) { return ToWide(kGbk, gbk); }

std::string WideToGbk(std::wstring_view wide) { return FromWide(kGbk, 0, wide); }

std::string GbkToUtf8(std::string_view gbk) {
  return FromWide(CP_UTF8, 0, ToWide(kGbk, TextBeforeZero(gbk)));
}

std::string Utf8ToGbk(std::string_view utf8, bool compose) {
  std::string gbk = FromWide(kGbk, compose ? WC_COMPOSITECHECK : 0, ToWide(CP_UTF8, utf8));
  gbk.resize(TextBeforeZero(gbk).size());
  return gbk;
}

std::string Big5ToSimplifiedGbk(std::string_view big5) {
  // The empty text as default character, so that a character GBK cannot hold
  // becomes a zero byte. Two zero bytes: Wine reads a second byte of the
  // default character of a double-byte code page whatever the first one is.
  static constexpr char kNoCharacter[2] = {};
  std::string gbk = FromWide(kGbk, 0, ToWide(kBig5, TextBeforeZero(big5)), kNoCharacter);
  gbk.resize(TextBeforeZero(gbk).size());
  if (gbk.empty()) return gbk;
  std::string simplified(gbk.size(), '\0');
  const int size = static_cast<int>(gbk.size());
  const int length = LCMapStringA(kChinesePrc, LCMAP_SIMPLIFIED_CHINESE, gbk.data(), size,
                                  simplified.data(), size);
  // A failed mapping keeps the text as it is rather than losing it.
  if (length == 0) return gbk;
  simplified.resize(TextBeforeZero(std::string_view(simplified).substr(0, length)).size());
  return simplified;
}

}  // namespace pelrine

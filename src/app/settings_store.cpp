#include "app/settings_store.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/window_text.h"
#include "net/code_pages.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr std::string_view kLineBreakMark = "┊*┊";
constexpr std::string_view kTrue = "真";
constexpr std::string_view kFalse = "假";
// Handed to the platform as the default, to tell a missing key from an empty
// value; no text the program writes begins with a DEL character.
constexpr wchar_t kMissing[] = L"\x7F<missing>";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// The platform drops blanks at both ends of a value and a pair of quotes
// around it; a value that would lose something that way is written quoted.
bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  return IsBlank(value.front()) || IsBlank(value.back()) ||
         (IsQuote(value.front()) && IsQuote(value.back()));
}

std::string FormatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.13g", value);
  return text;
}

// The leading number of the text; 0 when there is none or it is not finite.
double ParseNumber(const std::string& text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return std::isfinite(value) ? value : 0;
}

}  // namespace

std::string EncodeText(std::string_view text) {
  std::string stored;
  stored.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      stored += kLineBreakMark;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      stored += text[i];
    }
  }
  return NeedsQuotes(stored) ? '"' + stored + '"' : stored;
}

std::string DecodeText(std::string_view stored) {
  return ReplaceAll(stored, kLineBreakMark, "\r\n");
}

// The wide forms of the private-profile functions take values of any length;
// the narrow ones fail on values beyond 32767 characters. The file stays in
// the system's code page either way.
bool SettingsStore::WriteText(std::string_view key, std::string_view value) const {
  return WritePrivateProfileStringW(GbkToWide(section_).c_str(), GbkToWide(key).c_str(),
                                    GbkToWide(EncodeText(value)).c_str(),
                                    GbkToWide(file_).c_str()) != FALSE;
}

std::optional<std::string> SettingsStore::ReadStored(std::string_view key) const {
  const std::wstring section = GbkToWide(section_), key_text = GbkToWide(key),
                     file = GbkToWide(file_);
  // The platform cuts a value at the buffer's end and says so only by
  // filling the buffer; read again with a larger one until the value fits.
  std::vector<wchar_t> buffer(10240);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key_text.c_str(), kMissing,
                                                  buffer.data(), size, file.c_str());
    if (length + 1 < size || size >= (1u << 28)) {
      const std::wstring_view stored(buffer.data(), length);
      if (stored == kMissing) return std::nullopt;
      return DecodeText(WideToGbk(stored));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string SettingsStore::ReadText(std::string_view key, std::string_view fallback) const {
  std::optional<std::string> value = ReadStored(key);
  return value ? std::move(*value) : std::string(fallback);
}

bool SettingsStore::WriteNumber(std::string_view key, double value) const {
  return WriteText(key, FormatNumber(value));
}

double SettingsStore::ReadNumber(std::string_view key, double fallback) const {
  const std::optional<std::string> value = ReadStored(key);
  return value ? ParseNumber(*value) : fallback;
}

bool SettingsStore::WriteLogical(std::string_view key, bool value) const {
  return WriteText(key, value ? kTrue : kFalse);
}

bool SettingsStore::ReadLogical(std::string_view key, bool fallback) const {
  const std::optional<std::string> value = ReadStored(key);
  return value ? *value == kTrue : fallback;
}

bool SettingsStore::SaveCheckBox(HWND check_box) const {
  return WriteLogical(WindowText(check_box),
                      SendMessageA(check_box, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

void SettingsStore::LoadCheckBox(HWND check_box) const {
  const bool checked = SendMessageA(check_box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  SendMessageA(check_box, BM_SETCHECK,
               ReadLogical(WindowText(check_box), checked) ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace pelrine

// An INI file section with typed values, read and written through the
// system's private-profile functions. Text values keep their line breaks as
// "┊*┊"; logical values are "真" or "假"; numbers are written with "%.13g".
// Values are read whole, whatever their length.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pelrine {

class SettingsStore {
 public:
  void SetFile(std::string_view path) { file_ = path; }
  void SetSection(std::string_view name) { section_ = name; }
  const std::string& File() const { return file_; }

  // Whether the section holds `key`.
  bool Has(std::string_view key) const { return ReadStored(key).has_value(); }

  bool WriteText(std::string_view key, std::string_view value) const;
  std::string ReadText(std::string_view key, std::string_view fallback) const;
  bool WriteNumber(std::string_view key, double value) const;
  double ReadNumber(std::string_view key, double fallback) const;
  bool WriteLogical(std::string_view key, bool value) const;
  bool ReadLogical(std::string_view key, bool fallback) const;

  // A check box is stored under its caption, as a logical value.
  bool SaveCheckBox(HWND check_box) const;
  void LoadCheckBox(HWND check_box) const;

 private:
  // The decoded value, or nothing when the key is missing.
  std::optional<std::string> ReadStored(std::string_view key) const;

  std::string file_;
  std::string section_;
};

// The stored form of a text: line breaks as "┊*┊" (a lone CR or LF counts as
// a line break, so it can never split the line in the file), and the whole
// value in double quotes when the platform would otherwise drop blanks or
// quotes at its ends.
std::string EncodeText(std::string_view text);
// The text again from its stored form (the platform has already dropped the
// enclosing quotes): every "┊*┊" becomes CR LF.
std::string DecodeText(std::string_view stored);

}  // namespace pelrine

// The word-list files beside the settings file: plain GBK text, one word a line.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// Replaces the whole file by `text`. The new content is written beside the
// file first and then put in its place, so a failed write leaves the old file
// as it was. False when the file could not be written.
bool WriteWordFile(const std::string& path, std::string_view text);

// The file's text up to its first zero byte; `fallback` when the file is
// missing, unreadable or empty.
std::string ReadWordFile(const std::string& path, std::string_view fallback);

}  // namespace pelrine

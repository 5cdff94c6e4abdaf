#include "check_log.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

std::string ForConsole(std::string_view gbk) {
  if (gbk.empty()) return "";
  const int length = static_cast<int>(gbk.size());
  std::wstring wide(
      static_cast<size_t>(MultiByteToWideChar(936, 0, gbk.data(), length, nullptr, 0)), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), length, wide.data(), static_cast<int>(wide.size()));
  const int wide_length = static_cast<int>(wide.size());
  std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length,
                                                           nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(),
                      static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}

bool CheckLog::Check(bool passed, std::string_view what) {
  if (!passed) ++failures_;
  std::string line(what);  // one line of output for each check
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  std::printf("  %s %s\n", passed ? "ok  " : "FAIL", ForConsole(line).c_str());
  std::fflush(stdout);
  return passed;
}

bool CheckLog::CheckText(std::string_view what, std::string_view got, std::string_view want) {
  // Long texts are shown by their first characters and their length; line
  // breaks as \r and \n.
  auto shown = [](std::string_view text) {
    size_t head = 0;  // a whole number of GBK characters
    while (head < text.size() && head < 120)
      head += static_cast<unsigned char>(text[head]) >= 0x81 ? 2 : 1;
    std::string shown = "\"";
    for (char c : text.substr(0, head))
      shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    shown += head < text.size() ? "...\"" : "\"";
    if (head < text.size()) shown += " (" + std::to_string(text.size()) + " bytes)";
    return shown;
  };
  if (got == want) return Check(true, std::string(what) + " is " + shown(want));
  return Check(false, std::string(what) + " is " + shown(got) + ", expected " + shown(want));
}

void CheckLog::Note(std::string_view text) const {
  std::printf("  .... %s\n", ForConsole(text).c_str());
  std::fflush(stdout);
}

}  // namespace e2e

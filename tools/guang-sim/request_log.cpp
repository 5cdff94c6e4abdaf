#include "request_log.h"

namespace guang_sim {

RequestLog::RequestLog(const std::string& path)
    : path_empty_(path.empty()),
      file_(path.empty() ? nullptr : std::fopen(path.c_str(), "ab"), std::fclose) {}

std::string EscapeLogBody(const std::string& body) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : body) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else
      out += static_cast<char>(c);
  }
  return out;
}

void RequestLog::Write(const std::string& method, const std::string& target,
                       const std::vector<std::pair<std::string, std::string>>& headers,
                       const std::string& body) {
  if (!file_) return;
  std::string record = method + " " + target + "\n";
  for (const auto& [name, value] : headers) record += name + ": " + value + "\n";
  record += "\n" + EscapeLogBody(body) + "\n\n";
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(record.data(), 1, record.size(), file_.get());
  std::fflush(file_.get());
}

}  // namespace guang_sim

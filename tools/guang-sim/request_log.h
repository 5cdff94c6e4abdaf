// The request log: one record per request, flushed at once, so tests can
// read what the program asked for while the simulator runs. A record is
//   METHOD TARGET          the target exactly as received, query included
//   Name: value            one line per header, sorted by name
//   (empty line)
//   BODY                   one line: the body with \, CR, LF and other
//                          control bytes written as \\, \r, \n and \xHH
//   (empty line)
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace guang_sim {

class RequestLog {
 public:
  // Appends to `path`; an empty path logs nothing. `ok()` tells whether the file opened.
  explicit RequestLog(const std::string& path);
  bool ok() const { return path_empty_ || file_ != nullptr; }

  void Write(const std::string& method, const std::string& target,
             const std::vector<std::pair<std::string, std::string>>& headers,
             const std::string& body);

 private:
  bool path_empty_;
  std::mutex mutex_;
  std::unique_ptr<FILE, int (*)(FILE*)> file_;
};

// The body as the log writes it.
std::string EscapeLogBody(const std::string& body);

}  // namespace guang_sim

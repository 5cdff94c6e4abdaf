// A guang-sim process for one test: started on a free port with the given
// options, stopped with SIGTERM when the object goes.
#pragma once

#include <httplib.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace guang_sim {

class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& options);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  int port() const { return port_; }  // 0 when the process did not start
  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
  // A client for the simulator that waits at most `read_timeout_ms` for an answer.
  httplib::Client Client(int read_timeout_ms = 10000) const;
  // Status and body of a GET, or status -1 when the request failed.
  std::pair<int, std::string> Get(const std::string& target) const;
  // Status and body of a form POST.
  std::pair<int, std::string> PostForm(const std::string& path, const std::string& body) const;

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace guang_sim

#include "sim_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace guang_sim {

SimProcess::SimProcess(const std::vector<std::string>& options) {
  int out[2];
  if (pipe(out) != 0) return;
  std::vector<std::string> args = {GUANG_SIM_PATH, "--port", "0"};
  args.insert(args.end(), options.begin(), options.end());
  pid_ = fork();
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string line;
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  port_ = std::atoi(line.c_str());
}

SimProcess::~SimProcess() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

httplib::Client SimProcess::Client(int read_timeout_ms) const {
  httplib::Client client("127.0.0.1", port_);
  client.set_url_encode(false);  // targets go out exactly as the tests write them
  client.set_read_timeout(read_timeout_ms / 1000, read_timeout_ms % 1000 * 1000);
  return client;
}

std::pair<int, std::string> SimProcess::Get(const std::string& target) const {
  httplib::Client client = Client();
  auto result = client.Get(target);
  if (!result) return {-1, ""};
  return {result->status, result->body};
}

std::pair<int, std::string> SimProcess::PostForm(const std::string& path,
                                                 const std::string& body) const {
  httplib::Client client = Client();
  auto result = client.Post(path, body, "application/x-www-form-urlencoded");
  if (!result) return {-1, ""};
  return {result->status, result->body};
}

}  // namespace guang_sim

// guang-sim: the outside services of the program, imitated on one loopback port.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "options.h"
#include "sim_server.h"

int main(int argc, char** argv) {
  guang_sim::SimOptions options;
  std::string error;
  if (!guang_sim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "guang-sim: %s\n%s", error.c_str(), guang_sim::kUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(guang_sim::kUsage, stdout);
    return 0;
  }
  // SIGINT and SIGTERM reach only the thread that waits for them; a client
  // that hangs up mid-answer must not end the process.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  guang_sim::SimServer server(options);
  if (!server.log_ok()) {
    std::fprintf(stderr, "guang-sim: cannot open the log %s\n", options.log_path.c_str());
    return 1;
  }
  const int port = server.Bind();
  if (port < 0) {
    std::fprintf(stderr, "guang-sim: cannot listen on 127.0.0.1:%d\n", options.port);
    return 1;
  }
  std::printf("%d\n", port);
  std::fflush(stdout);

  std::thread waiter([&] {
    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.Stop();
  });
  server.Serve();
  pthread_kill(waiter.native_handle(), SIGTERM);  // wakes the waiter when Serve ended by itself
  waiter.join();
  return 0;
}

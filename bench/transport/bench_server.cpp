// Serves the benchmark's pages on 127.0.0.1 and prints "port <n>" once it
// listens: /page answers a 20 KB page at once, /slow the same page after
// 200 ms. Every response closes its connection, so each request costs a new
// connection for every client alike. Runs until its input closes.
#include <httplib.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

int main() {
  const std::string page(20 * 1024, 'x');
  httplib::Server server;
  server.new_task_queue = [] { return new httplib::ThreadPool(32); };
  server.set_keep_alive_max_count(1);
  server.Get("/page", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(page, "text/html");
  });
  server.Get("/slow", [&](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    response.set_content(page, "text/html");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  if (port <= 0) return 1;
  std::thread listener([&] { server.listen_after_bind(); });
  std::printf("port %d\n", port);
  std::fflush(stdout);
  std::string line;
  while (std::getline(std::cin, line)) {
  }
  server.stop();
  listener.join();
  return 0;
}

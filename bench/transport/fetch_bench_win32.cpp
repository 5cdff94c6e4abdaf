// The Windows side of the transport benchmark, run under wine64:
//   transport_bench <port> sequential <count>
//     fetches http://127.0.0.1:<port>/page <count> times through PageFetch,
//     one after the other, and prints the milliseconds they took;
//   transport_bench <port> raw <count>
//     the same fetches as bare WinInet calls on the calling thread (one
//     session, connection and request each), the floor PageFetch stands on;
//   transport_bench <port> concurrent <count> [<connections per server>]
//     starts <count> fetches of /slow at once, each on a thread of its own
//     (optionally raising WinInet's per-server connection limit first), and
//     prints the milliseconds until the last one ended.
#include <windows.h>
// after windows.h
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "net/handles_win32.h"
#include "net/page_fetch.h"
#include "net/wininet_transport.h"

namespace {

using pelrine::InternetHandle;

double Milliseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

size_t FetchOnce(const std::string& address) {
  pelrine::NoEvents pump;
  pelrine::WinInetTransport transport(pump);
  std::string url = address;
  return pelrine::PageFetch(transport, url).body.size();
}

// One GET as bare WinInet calls; the handles are closed in the order opened
// last first, as their owners go out of scope.
size_t FetchRaw(const std::string& port) {
  const InternetHandle session(
      InternetOpenA("bench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  const InternetHandle connection(InternetConnectA(
      session.get(), "127.0.0.1", static_cast<INTERNET_PORT>(std::atoi(port.c_str())), nullptr,
      nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  const InternetHandle request(HttpOpenRequestA(connection.get(), "GET", "/page", "HTTP/1.1",
                                                nullptr, nullptr, INTERNET_FLAG_RELOAD, 0));
  HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0);
  char buffer[2048];
  size_t size = 0;
  for (DWORD read = 0; InternetReadFile(request.get(), buffer, sizeof buffer, &read) && read;)
    size += read;
  return size;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: transport_bench <port> sequential|raw|concurrent <count> [<conns>]\n");
    return 2;
  }
  const std::string base = "http://127.0.0.1:" + std::string(argv[1]);
  const std::string mode = argv[2];
  const int count = std::atoi(argv[3]);
  if (argc > 4) {
    DWORD connections = static_cast<DWORD>(std::atoi(argv[4]));
    InternetSetOptionA(nullptr, INTERNET_OPTION_MAX_CONNS_PER_SERVER, &connections,
                       sizeof connections);
    InternetSetOptionA(nullptr, INTERNET_OPTION_MAX_CONNS_PER_1_0_SERVER, &connections,
                       sizeof connections);
  }
  FetchOnce(base + "/page");  // loads WinInet before the clock starts

  size_t bytes = 0;
  const double start = Milliseconds();
  if (mode == "sequential") {
    for (int i = 0; i < count; ++i) bytes += FetchOnce(base + "/page");
  } else if (mode == "raw") {
    for (int i = 0; i < count; ++i) bytes += FetchRaw(argv[1]);
  } else {
    std::vector<size_t> sizes(static_cast<size_t>(count));
    std::vector<std::thread> threads;
    for (size_t& size : sizes) threads.emplace_back([&] { size = FetchOnce(base + "/slow"); });
    for (std::thread& thread : threads) thread.join();
    for (size_t size : sizes) bytes += size;
  }
  std::printf("%s %d: %.0f ms, %zu bytes\n", mode.c_str(), count, Milliseconds() - start, bytes);
  return 0;
}

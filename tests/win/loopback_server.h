// A small HTTP server on 127.0.0.1 for the Windows-side transport tests. It
// records every request as received (request line and header lines, body)
// and answers with the raw bytes its handler returns, so a test can send
// exactly the response it needs: long header blocks, truncated bodies, a
// reset instead of an answer, or an answer held back until the test says.
#pragma once

#include <winsock2.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace pelrine {

struct ReceivedRequest {
  std::string head;  // request line and header lines, each ending in CR LF
  std::string body;
  std::string RequestLine() const { return head.substr(0, head.find("\r\n")); }
  bool HasLine(std::string_view line) const;
  // The value of the first header `name` (exact case); "" when missing.
  std::string Header(std::string_view name) const;
};

struct ServerReply {
  std::string bytes;   // written as they are
  bool reset = false;  // then the connection ends with a reset
};

// "HTTP/1.1 <status>" with Content-Length, Connection: close, the extra
// header lines (each ending in CR LF) and the body.
std::string HttpReply(std::string_view body, std::string_view extra_headers = "",
                      std::string_view status = "200 OK");

class LoopbackServer {
 public:
  using Handler = std::function<ServerReply(const ReceivedRequest&)>;

  // `handler` runs on one of `threads` connection threads.
  explicit LoopbackServer(Handler handler, int threads = 4);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::string Url(std::string_view path) const;  // "http://127.0.0.1:<port>" + path
  int port() const { return port_; }
  std::vector<ReceivedRequest> Requests();
  void ClearRequests();

 private:
  class Socket {
   public:
    explicit Socket(SOCKET socket = INVALID_SOCKET) : socket_(socket) {}
    Socket(Socket&& other) noexcept : socket_(other.Release()) {}
    Socket& operator=(Socket&& other) noexcept;
    ~Socket() { Reset(); }
    SOCKET get() const { return socket_; }
    SOCKET Release();
    void Reset();

   private:
    SOCKET socket_;
  };

  struct Winsock {
    Winsock();
    ~Winsock();
  };

  void AcceptLoop();
  void ServeLoop();
  void Serve(Socket connection);

  Winsock winsock_;  // first in, last out
  Handler handler_;
  Socket listener_;
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Socket> pending_;
  std::vector<ReceivedRequest> requests_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

// A one-way gate: handlers wait on it until the test opens it.
class Gate {
 public:
  void Open();
  // True when opened within `limit_ms`.
  bool Wait(int limit_ms);

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
};

}  // namespace pelrine

#include "loopback_server.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <utility>

namespace pelrine {

namespace {

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  return address;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return text;
}

size_t ContentLength(const std::string& head) {
  const std::string lower = Lower(head);
  const size_t label = lower.find("\r\ncontent-length:");
  return label == std::string::npos ? 0 : std::strtoul(head.c_str() + label + 17, nullptr, 10);
}

bool SendAll(SOCKET socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const int sent =
        send(socket, bytes.data(), static_cast<int>(std::min<size_t>(bytes.size(), 65536)), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

}  // namespace

bool ReceivedRequest::HasLine(std::string_view line) const {
  const std::string with_end = std::string(line) + "\r\n";
  return head.starts_with(with_end) || head.find("\r\n" + with_end) != std::string::npos;
}

std::string ReceivedRequest::Header(std::string_view name) const {
  const std::string label = "\r\n" + std::string(name) + ": ";
  const size_t at = head.find(label);
  if (at == std::string::npos) return {};
  const size_t start = at + label.size();
  return head.substr(start, head.find("\r\n", start) - start);
}

std::string HttpReply(std::string_view body, std::string_view extra_headers,
                      std::string_view status) {
  return "HTTP/1.1 " + std::string(status) + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n" + std::string(extra_headers) + "\r\n" + std::string(body);
}

LoopbackServer::Winsock::Winsock() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
}

LoopbackServer::Winsock::~Winsock() { WSACleanup(); }

LoopbackServer::Socket& LoopbackServer::Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    Reset();
    socket_ = other.Release();
  }
  return *this;
}

SOCKET LoopbackServer::Socket::Release() { return std::exchange(socket_, INVALID_SOCKET); }

void LoopbackServer::Socket::Reset() {
  if (socket_ != INVALID_SOCKET) closesocket(Release());
}

LoopbackServer::LoopbackServer(Handler handler, int threads) : handler_(std::move(handler)) {
  listener_ = Socket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address = LoopbackAddress(0);
  bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener_.get(), SOMAXCONN);
  int length = sizeof address;
  getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  threads_.emplace_back([this] { AcceptLoop(); });
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { ServeLoop(); });
}

LoopbackServer::~LoopbackServer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  Socket wake(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));  // ends the pending accept
  const sockaddr_in address = LoopbackAddress(port_);
  connect(wake.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  for (std::thread& thread : threads_) thread.join();
}

std::string LoopbackServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<ReceivedRequest> LoopbackServer::Requests() {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackServer::ClearRequests() {
  const std::lock_guard lock(mutex_);
  requests_.clear();
}

void LoopbackServer::AcceptLoop() {
  for (;;) {
    Socket connection(accept(listener_.get(), nullptr, nullptr));
    const std::lock_guard lock(mutex_);
    if (stopping_) return;
    if (connection.get() == INVALID_SOCKET) continue;
    pending_.push_back(std::move(connection));
    ready_.notify_one();
  }
}

void LoopbackServer::ServeLoop() {
  for (;;) {
    Socket connection;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
      if (stopping_) return;
      connection = std::move(pending_.front());
      pending_.pop_front();
    }
    Serve(std::move(connection));
  }
}

void LoopbackServer::Serve(Socket connection) {
  const DWORD receive_limit_ms = 10000;
  setsockopt(connection.get(), SOL_SOCKET, SO_RCVTIMEO,
             reinterpret_cast<const char*>(&receive_limit_ms), sizeof receive_limit_ms);
  std::string received;
  char buffer[4096];
  size_t head_end;
  while ((head_end = received.find("\r\n\r\n")) == std::string::npos) {
    const int got = recv(connection.get(), buffer, sizeof buffer, 0);
    if (got <= 0) return;
    received.append(buffer, static_cast<size_t>(got));
  }
  ReceivedRequest request{.head = received.substr(0, head_end + 2),
                          .body = received.substr(head_end + 4)};
  const size_t body_length = ContentLength(request.head);
  while (request.body.size() < body_length) {
    const int got = recv(connection.get(), buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.body.append(buffer, static_cast<size_t>(got));
  }
  {
    const std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  const ServerReply reply = handler_(request);
  if (!SendAll(connection.get(), reply.bytes)) return;
  if (reply.reset) {
    const linger abort{1, 0};
    setsockopt(connection.get(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort),
               sizeof abort);
  } else {
    shutdown(connection.get(), SD_SEND);
  }
}

void Gate::Open() {
  {
    const std::lock_guard lock(mutex_);
    open_ = true;
  }
  opened_.notify_all();
}

bool Gate::Wait(int limit_ms) {
  std::unique_lock lock(mutex_);
  return opened_.wait_for(lock, std::chrono::milliseconds(limit_ms), [this] { return open_; });
}

}  // namespace pelrine

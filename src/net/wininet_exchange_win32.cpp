#include "net/wininet_exchange_win32.h"

#include <algorithm>

namespace pelrine {

namespace {

const char* TextOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

std::string ReadBody(HINTERNET request, DWORD piece) {
  std::string body;
  std::string buffer(piece, '\0');
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request, buffer.data(), piece, &read) || read == 0) return body;
    body.append(buffer.data(), read);
  }
}

// The raw header block, however long: asked for once more with the size
// WinInet names when the first buffer is too small.
std::string RawHeaders(HINTERNET request) {
  std::string headers(2048, '\0');
  DWORD size = static_cast<DWORD>(headers.size());
  if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(), &size, nullptr)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    headers.assign(size, '\0');
    if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(), &size, nullptr))
      return {};
  }
  headers.resize(size);
  return headers.substr(0, headers.find('\0'));
}

void SetTimeouts(HINTERNET request, int timeout_seconds) {
  DWORD timeout_ms = static_cast<DWORD>(std::clamp(timeout_seconds, 1, 86400) * 1000);
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionA(request, option, &timeout_ms, sizeof timeout_ms);
}

}  // namespace

bool WorkerHandles::Keep(HINTERNET handle) {
  InternetHandle owner(handle);
  const std::lock_guard lock(mutex_);
  if (!owner || abandoned_) return false;
  handles_.push_back(std::move(owner));
  return true;
}

void WorkerHandles::CloseAll() {
  const std::lock_guard lock(mutex_);
  while (!handles_.empty()) handles_.pop_back();
}

void WorkerHandles::Abandon() {
  {
    const std::lock_guard lock(mutex_);
    abandoned_ = true;
  }
  CloseAll();
}

bool WorkerHandles::Abandoned() {
  const std::lock_guard lock(mutex_);
  return abandoned_;
}

std::optional<HttpResponse> PerformExchange(const HttpExchange& exchange, WorkerHandles& handles) {
  if (exchange.port < 0 || exchange.port > 65535) return std::nullopt;
  const bool proxy = !exchange.proxy_list.empty();
  HINTERNET session = InternetOpenA(exchange.agent.c_str(),
                                    proxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_DIRECT,
                                    TextOrNull(exchange.proxy_list), proxy ? "" : nullptr, 0);
  if (!handles.Keep(session)) return std::nullopt;
  HINTERNET connection = InternetConnectA(
      session, exchange.host.c_str(), static_cast<INTERNET_PORT>(exchange.port),
      TextOrNull(exchange.user), TextOrNull(exchange.password), INTERNET_SERVICE_HTTP, 0, 0);
  if (!handles.Keep(connection)) return std::nullopt;
  HINTERNET request = HttpOpenRequestA(connection, exchange.method.c_str(), exchange.path.c_str(),
                                       "HTTP/1.1", nullptr, nullptr, exchange.flags, 0);
  if (!handles.Keep(request)) return std::nullopt;
  SetTimeouts(request, exchange.timeout_seconds);

  const std::string& body = exchange.body;
  HttpSendRequestA(
      request, TextOrNull(exchange.headers), static_cast<DWORD>(exchange.headers.size()),
      body.empty() ? nullptr : const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
  HttpResponse response{.body = ReadBody(request, exchange.read_piece),
                        .headers = RawHeaders(request)};
  handles.CloseAll();
  if (handles.Abandoned()) return std::nullopt;
  return response;
}

void StoreCookies(const std::string& host, const std::vector<SetCookie>& cookies,
                  WorkerHandles& handles) {
  const std::string url = "http://" + host;
  for (const SetCookie& cookie : cookies) {
    if (handles.Abandoned()) return;
    InternetSetCookieA(url.c_str(), cookie.name.c_str(), cookie.data.c_str());
  }
}

}  // namespace pelrine

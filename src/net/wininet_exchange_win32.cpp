#include "net/wininet_exchange_win32.h"

#include <windows.h>
// after windows.h
#include <wininet.h>

#include <algorithm>

namespace pelrine {

namespace {

const char* TextOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The whole body, or nothing once the worker is abandoned.
std::optional<std::string> ReadBody(HINTERNET request, DWORD piece, const Abandoned& abandoned) {
  std::string body;
  std::string buffer(piece, '\0');
  for (;;) {
    if (abandoned) return std::nullopt;
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

std::optional<HttpResponse> PerformExchange(const HttpExchange& exchange,
                                            const Abandoned& abandoned) {
  if (exchange.port < 0 || exchange.port > 65535) return std::nullopt;
  const bool proxy = !exchange.proxy_list.empty();
  const InternetHandle session(InternetOpenA(
      exchange.agent.c_str(), proxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_DIRECT,
      TextOrNull(exchange.proxy_list), proxy ? "" : nullptr, 0));
  if (!session || abandoned) return std::nullopt;
  const InternetHandle connection(InternetConnectA(
      session.get(), exchange.host.c_str(), static_cast<INTERNET_PORT>(exchange.port),
      TextOrNull(exchange.user), TextOrNull(exchange.password), INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection || abandoned) return std::nullopt;
  const InternetHandle request(HttpOpenRequestA(connection.get(), exchange.method.c_str(),
                                                exchange.path.c_str(), "HTTP/1.1", nullptr,
                                                nullptr, exchange.flags, 0));
  if (!request || abandoned) return std::nullopt;
  SetTimeouts(request.get(), exchange.timeout_seconds);

  const std::string& body = exchange.body;
  HttpSendRequestA(
      request.get(), TextOrNull(exchange.headers), static_cast<DWORD>(exchange.headers.size()),
      body.empty() ? nullptr : const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
  std::optional<std::string> received = ReadBody(request.get(), exchange.read_piece, abandoned);
  if (!received || abandoned) return std::nullopt;
  return HttpResponse{.body = std::move(*received), .headers = RawHeaders(request.get())};
}

void StoreCookies(const std::string& host, const std::vector<SetCookie>& cookies,
                  const Abandoned& abandoned) {
  const std::string url = "http://" + host;
  for (const SetCookie& cookie : cookies) {
    if (abandoned) return;
    InternetSetCookieA(url.c_str(), cookie.name.c_str(), cookie.data.c_str());
  }
}

}  // namespace pelrine

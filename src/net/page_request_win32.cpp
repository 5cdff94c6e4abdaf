#include <windows.h>
// after windows.h
#include <wininet.h>

#include "net/page_request.h"
#include "net/wininet_exchange_win32.h"

namespace pelrine {

namespace {

DWORD RequestFlags(const FetchRequest& request, bool secure) {
  if (secure) return INTERNET_FLAG_SECURE;
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
  if (request.cookies.find_first_not_of(' ') != std::string::npos)
    flags |= INTERNET_FLAG_NO_COOKIES;
  if (!request.follow_redirects) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  return flags | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
}

}  // namespace

FetchReply PageRequest(const FetchRequest& request, const Abandoned& abandoned) {
  if (request.method != "GET" && request.method != "POST") return {};
  const bool secure = IsSecureUrl(request.url);
  const std::string host = UrlHost(request.url);
  std::optional<HttpResponse> response =
      PerformExchange({.agent = RequestAgent(request.headers),
                       .proxy_list = request.proxy.empty() ? "" : "http=" + request.proxy,
                       .host = host,
                       .port = secure ? 443 : UrlPort(request.url),
                       .method = request.method,
                       .path = UrlPath(request.url),
                       .flags = RequestFlags(request, secure),
                       .headers = CompleteRequestHeaders(request),
                       .body = request.method == "POST" ? request.body : "",
                       .read_piece = 2048,
                       .timeout_seconds = request.timeout_seconds},
                      abandoned);
  if (!response) return {};
  const std::vector<SetCookie> cookies = ResponseCookies(response->headers);
  StoreCookies(host, cookies, abandoned);
  return {.body = std::move(response->body),
          .headers = std::move(response->headers),
          .cookies = ReceivedCookieText(cookies)};
}

}  // namespace pelrine

#include <windows.h>
// after windows.h
#include <wininet.h>

#include "net/gbk_text.h"
#include "net/http_utility.h"
#include "net/wininet_exchange_win32.h"

namespace pelrine {

namespace {

constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string UnlessBlank(const std::string& text) { return IsBlank(text) ? "" : text; }

}  // namespace

std::optional<UtilityReply> UtilityRequestWorker(const UtilityRequest& request,
                                                 const Abandoned& abandoned) {
  const std::string method = AsciiLower(request.method);
  if (!method.empty() && method != "get" && method != "post") return std::nullopt;
  const std::string host = UtilityHost(request.url);
  std::optional<HttpResponse> response =
      PerformExchange({.agent = kAgent,
                       .proxy_list = IsBlank(request.proxy) ? "" : "http=" + request.proxy,
                       .host = host,
                       .port = UtilityPort(request.url),
                       .user = UnlessBlank(request.user),
                       .password = UnlessBlank(request.password),
                       .method = request.method,
                       .path = UtilityPath(request.url),
                       .flags = INTERNET_FLAG_RELOAD,
                       .headers = CompleteUtilityHeaders(request),
                       .body = method == "post" ? request.body : "",
                       .read_piece = 512,
                       .timeout_seconds = request.timeout_seconds},
                      abandoned);
  if (!response) return std::nullopt;
  StoreCookies(host, ResponseCookies(response->headers), abandoned);
  return UtilityReply{.headers = std::move(response->headers), .body = std::move(response->body)};
}

}  // namespace pelrine

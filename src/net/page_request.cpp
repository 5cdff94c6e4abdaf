#include "net/page_request.h"

#include "net/gbk_text.h"

namespace pelrine {

namespace {

constexpr size_t npos = std::string_view::npos;

constexpr std::string_view kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
constexpr std::string_view kAcceptLine =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

std::string_view Before(std::string_view text, std::string_view delimiter) {
  return text.substr(0, FindOnCharBoundary(text, delimiter));
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string UrlHost(std::string_view url) {
  const std::string bare = ReplaceAll(ReplaceAll(url, "https://", ""), "http://", "");
  return AsciiLower(Before(Before(bare, "/"), ":"));
}

std::string UrlPath(std::string_view url) { return PathAfterHost(url, UrlHost(url)); }

std::string PathAfterHost(std::string_view url, std::string_view host_text) {
  const size_t host = FindOnCharBoundary(url, host_text, 0, true);
  const size_t slash = host == npos ? npos : FindOnCharBoundary(url, "/", host);
  return slash == npos ? "/" : std::string(url.substr(slash));
}

long long UrlPort(std::string_view url) {
  std::string_view authority = url;
  if (AsciiLower(url.substr(0, 7)) == "http://") authority.remove_prefix(7);
  authority = Before(authority, "/");
  const size_t colon = FindOnCharBoundary(authority, ":");
  return colon == npos ? 80 : LeadingInteger(authority.substr(colon + 1));
}

bool IsSecureUrl(std::string_view url) { return ContainsIgnoringCase(url, "https://"); }

std::string RequestAgent(std::string_view headers) {
  constexpr std::string_view kLabel = "User-Agent:";
  const size_t label = FindOnCharBoundary(headers, kLabel, 0, true);
  if (label == npos) return std::string(kDefaultAgent);
  const size_t start = label + kLabel.size();
  const size_t end = FindOnCharBoundary(headers, "\r\n", start);
  if (end == npos) return {};
  return std::string(Trimmed(headers.substr(start, end - start)));
}

std::string CompleteRequestHeaders(const FetchRequest& request) {
  std::string headers = request.headers;
  if (!ContainsIgnoringCase(headers, "Accept")) headers += kAcceptLine;
  if (ContainsIgnoringCase(headers, "RefererNo")) {
    if (const size_t marker = FindOnCharBoundary(headers, "RefererNo"); marker != npos)
      headers.erase(marker, 9);
  } else if (!ContainsIgnoringCase(headers, "Referer")) {
    headers += "Referer: " + request.url + "\r\n";
  }
  if (!ContainsIgnoringCase(headers, "Accept-Language")) headers += "Accept-Language: zh-cn\r\n";
  if (request.method == "POST" && !request.body.empty()) {
    if (!ContainsIgnoringCase(headers, "Content-Type"))
      headers += "Content-Type: application/x-www-form-urlencoded\r\n";
    if (!ContainsIgnoringCase(headers, "Content-Length"))
      headers += "Content-Length: " + std::to_string(request.body.size()) + "\r\n";
  }
  if ((request.method == "GET" || request.method == "POST") && !request.cookies.empty())
    headers += "Cookie: " + request.cookies + "\r\n\r\n";
  return headers;
}

std::vector<SetCookie> ResponseCookies(std::string_view headers) {
  std::vector<SetCookie> cookies;
  for (const std::string& line : SplitText(headers, "\r\n")) {
    if (!ContainsIgnoringCase(line, "Set-Cookie: ")) continue;
    const std::string_view rest = std::string_view(line).substr(12);
    const size_t equals = FindOnCharBoundary(rest, "=");
    cookies.push_back({.name = std::string(rest.substr(0, equals)),
                       .data = equals == npos ? "" : std::string(rest.substr(equals + 1)),
                       .pair = std::string(Before(rest, ";"))});
  }
  return cookies;
}

std::string ReceivedCookieText(const std::vector<SetCookie>& cookies) {
  std::string text;
  for (const SetCookie& cookie : cookies) text += cookie.pair + ";";
  return text;
}

}  // namespace pelrine

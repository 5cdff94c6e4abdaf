#include "net/http_utility.h"

#include "net/code_pages.h"
#include "net/gbk_text.h"
#include "net/page_request.h"
#include "net/url_encode.h"

namespace pelrine {

namespace {

constexpr size_t npos = std::string_view::npos;

constexpr std::string_view kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

// The host with its port, as the URL writes it.
std::string_view Authority(std::string_view url) {
  if (const size_t scheme = FindOnCharBoundary(url, "http://"); scheme != npos)
    url.remove_prefix(scheme + 7);
  return url.substr(0, FindOnCharBoundary(url, "/"));
}

}  // namespace

std::string HttpUtility::RequestText(UtilityRequest request, std::string* response_headers) {
  const std::string body = RequestBytes(std::move(request), response_headers);
  return std::string(TextBeforeZero(body));
}

std::string HttpUtility::RequestBytes(UtilityRequest request, std::string* response_headers) {
  if (request.timeout_seconds <= 0) request.timeout_seconds = 30;
  UtilityReply reply = transport_->Request(request);
  if (response_headers) *response_headers = std::move(reply.headers);
  return std::move(reply.body);
}

std::string HttpUtility::EncodeUtf8(std::string_view text) const {
  return pelrine::EncodeUtf8(text);
}

std::string HttpUtility::EncodeGbk(std::string_view text) const { return pelrine::EncodeGbk(text); }

std::string HttpUtility::GbkToUtf8(std::string_view text) const { return pelrine::GbkToUtf8(text); }

std::string HttpUtility::Utf8ToGbk(std::string_view bytes) const {
  return pelrine::Utf8ToGbk(bytes);
}

std::string UtilityHost(std::string_view url) {
  const std::string_view authority = Authority(url);
  return AsciiLower(authority.substr(0, FindOnCharBoundary(authority, ":")));
}

std::string UtilityPath(std::string_view url) { return PathAfterHost(url, UtilityHost(url)); }

long long UtilityPort(std::string_view url) {
  const std::string_view authority = Authority(url);
  const size_t colon = FindOnCharBoundary(authority, ":");
  return colon == npos ? 80 : LeadingInteger(authority.substr(colon + 1));
}

std::string CompleteUtilityHeaders(const UtilityRequest& request) {
  std::string headers = request.headers;
  if (!ContainsIgnoringCase(headers, "Accept: ")) headers += kAcceptLine;
  if (!ContainsIgnoringCase(headers, "Referer: ")) headers += "Referer: " + request.url + "\r\n";
  if (!ContainsIgnoringCase(headers, "Accept-Language: ")) headers += "Accept-Language: zh-cn\r\n";
  if (AsciiLower(request.method) == "post" && !request.body.empty()) {
    if (!ContainsIgnoringCase(headers, "Content-Type: "))
      headers += "Content-Type: application/x-www-form-urlencoded\r\n";
    headers += "Content-Length: " + std::to_string(request.body.size()) + "\r\n";
  }
  return headers;
}

}  // namespace pelrine

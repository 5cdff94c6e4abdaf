// Everything the transport and the page text helpers read from a response
// or a URL, on arbitrary bytes, with the shapes their results must have.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "guang/page_text.h"
#include "net/http_utility.h"
#include "net/page_request.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

void CheckUrl(std::string_view url) {
  for (const std::string& host : {pelrine::UrlHost(url), pelrine::UtilityHost(url)})
    Require(host.find('/') == std::string::npos && host.find(':') == std::string::npos);
  Require(pelrine::UrlPath(url).starts_with('/'));
  Require(pelrine::UtilityPath(url).starts_with('/'));
  pelrine::UrlPort(url);
  pelrine::UtilityPort(url);
  pelrine::IsSecureUrl(url);
}

void CheckHeaders(std::string_view headers) {
  const std::vector<pelrine::SetCookie> cookies = pelrine::ResponseCookies(headers);
  size_t length = 0;
  for (const pelrine::SetCookie& cookie : cookies) length += cookie.pair.size() + 1;
  Require(pelrine::ReceivedCookieText(cookies).size() == length);
  pelrine::RequestAgent(headers);
  const std::string completed = pelrine::CompleteRequestHeaders(
      {.url = "http://h/", .method = "POST", .headers = std::string(headers), .body = "b"});
  Require(completed.size() + 9 >= headers.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckUrl(input);
  CheckHeaders(input);
  for (int mode : {0, 1, 2}) {
    const std::string page = pelrine::FixPageCharset(std::string(input), mode);
    if (mode == 1) Require(page == input);
  }
  const size_t half = input.size() / 2;
  pelrine::ContainsItems(input.substr(0, half), input.substr(half), true);
  pelrine::ContainsItems(input.substr(0, half), input.substr(half), false);
  return 0;
}

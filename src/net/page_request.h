// The parts of a page request that need no network: what the URL gives,
// the user agent, the completed header text and the cookies a response
// sets. The WinInet exchange itself is in page_request_win32.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "net/transport.h"

namespace pelrine {

// The URL without its "https://" and "http://" (exact case), cut before the
// first "/" and then before the first ":", in small letters.
std::string UrlHost(std::string_view url);
// From the first "/" at or after the host to the end, query included; "/"
// when there is none.
std::string UrlPath(std::string_view url);
// The same for a host found in the URL without regard to case.
std::string PathAfterHost(std::string_view url, std::string_view host);
// The number after the first ":" of the host part; 80 when there is none.
long long UrlPort(std::string_view url);
// True when "https://" occurs anywhere in the URL, in any case.
bool IsSecureUrl(std::string_view url);

// The agent named by a "User-Agent:" line of the header text (trimmed; ""
// when no CR LF follows it), else the program's default agent.
std::string RequestAgent(std::string_view headers);

// The request's header text followed by the default lines it lacks.
std::string CompleteRequestHeaders(const FetchRequest& request);

// One "Set-Cookie: " line of a response, the label dropped.
struct SetCookie {
  std::string name{};  // up to the first "="
  std::string data{};  // after it, attributes included
  std::string pair{};  // up to the first ";"
};

// Every header line that holds "Set-Cookie: " (any case), in order.
std::vector<SetCookie> ResponseCookies(std::string_view headers);

// The pairs of the cookies, each followed by ";".
std::string ReceivedCookieText(const std::vector<SetCookie>& cookies);

}  // namespace pelrine

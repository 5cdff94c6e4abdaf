// The HTTP utility object of the link services: a second, simpler request
// path (plain http, its own default headers, an empty body on any failure
// or time-out) and the encoders and conversions those services need.
#pragma once

#include <string>
#include <string_view>

#include "net/transport.h"

namespace pelrine {

class HttpUtility {
 public:
  explicit HttpUtility(Transport& transport) : transport_(&transport) {}

  // The body up to its first zero byte; `response_headers`, when given,
  // receives the raw response header block ("" on failure or time-out).
  std::string RequestText(UtilityRequest request, std::string* response_headers = nullptr);
  // The body as bytes.
  std::string RequestBytes(UtilityRequest request, std::string* response_headers = nullptr);

  // The encoders and conversions of url_encode.h and code_pages.h.
  std::string EncodeUtf8(std::string_view text) const;
  std::string EncodeGbk(std::string_view text) const;
  std::string GbkToUtf8(std::string_view text) const;
  std::string Utf8ToGbk(std::string_view bytes) const;

 private:
  Transport* transport_;
};

// What a utility request takes from its URL: the host after the first
// "http://" (exact case) up to the next "/", cut before its ":", in small
// letters; the path from the first "/" at or after the host ("/" when none);
// the number after that ":" (80 when there is none).
std::string UtilityHost(std::string_view url);
std::string UtilityPath(std::string_view url);
long long UtilityPort(std::string_view url);

// The request's header text followed by the default lines it lacks.
std::string CompleteUtilityHeaders(const UtilityRequest& request);

}  // namespace pelrine

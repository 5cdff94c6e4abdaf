// A signed call of the open platform's REST gateway: the method's own
// parameters and the platform's system parameters, sorted, signed with MD5
// over the secret and the raw pairs, posted as a form, and the answer as GBK
// with the markup the service escaped inside its values stripped.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "net/http_utility.h"

namespace pelrine {

// Where and how the calls go: the utility object set aside for the open
// platform, the gateway's host[:port], and the clock of the "timestamp"
// parameter.
struct OpenPlatformGateway {
  HttpUtility& http;
  std::string host;
  std::function<std::string()> timestamp;
};

// What is sent for one call.
struct SignedCall {
  std::string signing_text;  // secret, then name and value of every pair, then secret
  std::string signature;     // MD5 of the signing text, 32 upper-case hex digits
  std::string body;          // the form: the pairs, then "sign"; names and values encoded
};

// The local date and time as "2012-05-07 09:03:04".
std::string OpenPlatformTimestamp();

// The pairs of `business_parameters` ("name=value" joined by "&", a leading
// "&" allowed) and the system parameters, sorted by name byte-wise, pairs
// with an empty name or value dropped, values as UTF-8, then signed.
SignedCall SignOpenPlatformCall(std::string_view app_key, std::string_view app_secret,
                                std::string_view method, std::string_view business_parameters,
                                std::string_view timestamp);

// "amp;" removed, "&lt;" and "&gt;" as full-width brackets, and every
// full-width bracket pair on one line removed with what lies between.
std::string StripEscapedMarkup(std::string_view response);

// The gateway's answer as GBK, stripped; "" without a request when the key
// or the secret is empty, and "" when the request fails.
std::string OpenPlatformCall(const OpenPlatformGateway& gateway, std::string_view app_key,
                             std::string_view app_secret, std::string_view method,
                             std::string_view business_parameters);

}  // namespace pelrine

// The transport seam: the two ways the program sends an HTTP request. The
// Windows build runs each request through WinInet on a worker thread of its
// own and processes window events while it waits (wininet_transport.h);
// native tests use a scripted fake that records every request.
#pragma once

#include <string>

namespace pelrine {

// A page request as PageFetch hands it over.
struct FetchRequest {
  std::string url{};      // complete, "http://" or "https://" in front
  std::string method{};   // "GET" or "POST"
  std::string proxy{};    // host:port for plain requests; "" for a direct connection
  std::string headers{};  // extra header lines, each ending in CR LF
  std::string body{};     // sent with POST only
  std::string cookies{};  // the Cookie header value; "" lets the system store add its cookies
  bool follow_redirects = true;
  int timeout_seconds = 60;  // 0 or less: the time-out has passed at the first wake-up
};

struct FetchReply {
  bool timed_out = false;  // when true the other fields are empty
  std::string body{};      // raw bytes; empty on any failure
  std::string headers{};   // the raw response header block
  std::string cookies{};   // the name=value pairs the response set, each followed by ";"
};

// A request of the HTTP utility object (plain http only).
struct UtilityRequest {
  std::string url{};
  std::string method = "GET";  // passed on unchanged; "", GET and POST in any case are sent
  std::string proxy{};         // host:port; blank for a direct connection
  std::string user{};
  std::string password{};
  std::string headers{};
  std::string body{};
  int timeout_seconds = 30;  // HttpUtility turns 0 or less into 30
};

struct UtilityReply {
  std::string headers{};  // "" when the request failed or timed out
  std::string body{};
};

class Transport {
 public:
  virtual ~Transport() = default;
  virtual FetchReply Fetch(const FetchRequest& request) = 0;
  virtual UtilityReply Request(const UtilityRequest& request) = 0;
};

}  // namespace pelrine

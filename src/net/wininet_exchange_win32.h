// One HTTP exchange through WinInet on a worker thread, shared by the page
// request and the HTTP utility's request, and the two workers themselves.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "net/handles_win32.h"
#include "net/page_request.h"
#include "net/transport.h"

namespace pelrine {

// Set by the waiting side when it gives up on a worker at its time-out. The
// worker alone opens and closes its WinInet handles: a handle closed from
// the waiting side while the worker is between two calls can be handed to
// the next worker under the same value, and the first worker's next call
// would then work on the other worker's request. So the worker looks at the
// mark between its calls and before each piece it reads, and WinInet's own
// time-outs end a call that waits for a silent server.
using Abandoned = std::atomic<bool>;

struct HttpExchange {
  std::string agent{};
  std::string proxy_list{};  // "" for a direct connection
  std::string host{};
  long long port = 80;
  std::string user{};
  std::string password{};
  std::string method{};
  std::string path{};
  unsigned long flags = 0;  // INTERNET_FLAG_...
  std::string headers{};
  std::string body{};  // sent when not empty
  unsigned long read_piece = 2048;
  // WinInet's own connect, send and receive time-outs (at least a second),
  // which let an abandoned worker end by itself soon after the caller's
  // time-out.
  int timeout_seconds = 60;
};

struct HttpResponse {
  std::string body{};
  std::string headers{};  // the whole raw header block, "" when there is none
};

// Opens session, connection and request, sends, reads the whole body and
// the header block, and closes the handles. Nothing when a handle could not
// be opened, the port is out of range or the worker was abandoned.
std::optional<HttpResponse> PerformExchange(const HttpExchange& exchange,
                                            const Abandoned& abandoned);

// Stores the cookies in the system store for "http://" + host, unless the
// worker was abandoned.
void StoreCookies(const std::string& host, const std::vector<SetCookie>& cookies,
                  const Abandoned& abandoned);

// The page request's worker: one GET or POST, plain or secure.
FetchReply PageRequest(const FetchRequest& request, const Abandoned& abandoned);

// The HTTP utility's worker; nothing when the method is neither GET nor POST
// or no reply came.
std::optional<UtilityReply> UtilityRequestWorker(const UtilityRequest& request,
                                                 const Abandoned& abandoned);

}  // namespace pelrine

// One HTTP exchange through WinInet on a worker thread, shared by the page
// request and the HTTP utility's request, and the two workers themselves.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "net/handles_win32.h"
#include "net/page_request.h"
#include "net/transport.h"

namespace pelrine {

// The WinInet handles of one worker. The worker opens them in order; the
// waiting side may abandon the worker at a time-out, which closes them so
// that the worker's calls fail and it ends soon.
class WorkerHandles {
 public:
  // Takes `handle` over; false (with `handle` closed) when it is null or the
  // worker was abandoned.
  bool Keep(HINTERNET handle);
  // Closes the handles kept so far, the last opened first.
  void CloseAll();
  void Abandon();
  bool Abandoned();

 private:
  std::mutex mutex_;
  bool abandoned_ = false;
  std::vector<InternetHandle> handles_;
};

struct HttpExchange {
  std::string agent{};
  std::string proxy_list{};  // "" for a direct connection
  std::string host{};
  long long port = 80;
  std::string user{};
  std::string password{};
  std::string method{};
  std::string path{};
  DWORD flags = 0;
  std::string headers{};
  std::string body{};  // sent when not empty
  DWORD read_piece = 2048;
  // WinInet's own connect, send and receive time-outs (at least a second).
  // Under Wine, closing the handles does not end a call that waits for a
  // silent server; these let an abandoned worker end by itself soon after
  // the caller's time-out.
  int timeout_seconds = 60;
};

struct HttpResponse {
  std::string body{};
  std::string headers{};  // the whole raw header block, "" when there is none
};

// Opens session, connection and request, sends, reads the whole body and
// the header block, and closes the handles. Nothing when a handle could not
// be opened, the port is out of range or the worker was abandoned.
std::optional<HttpResponse> PerformExchange(const HttpExchange& exchange, WorkerHandles& handles);

// Stores the cookies in the system store for "http://" + host, unless the
// worker was abandoned.
void StoreCookies(const std::string& host, const std::vector<SetCookie>& cookies,
                  WorkerHandles& handles);

// The page request's worker: one GET or POST, plain or secure.
FetchReply PageRequest(const FetchRequest& request, WorkerHandles& handles);

// The HTTP utility's worker; nothing when the method is neither GET nor POST
// or no reply came.
std::optional<UtilityReply> UtilityRequestWorker(const UtilityRequest& request,
                                                 WorkerHandles& handles);

}  // namespace pelrine

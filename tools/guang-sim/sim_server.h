// The simulator's HTTP server: every service on one loopback port, the
// request log and the fault switches in front of them.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <mutex>

#include "catalog.h"
#include "faults.h"
#include "gateway.h"
#include "guang_service.h"
#include "options.h"
#include "request_log.h"
#include "short_links.h"

namespace guang_sim {

class SimServer {
 public:
  // `options` as ParseOptions accepted them.
  explicit SimServer(const SimOptions& options);

  bool log_ok() const { return log_.ok(); }
  // Binds 127.0.0.1 at the options' port (0: a free one); the port, or -1.
  int Bind();
  // Answers requests until Stop.
  void Serve();
  // Ends Serve and wakes every delayed or held request; any thread may call it.
  void Stop();

 private:
  void Handle(const httplib::Request& request, httplib::Response& response);
  Answer Route(const SimRequest& request);
  // Waits `ms` or until Stop; false when stopping.
  bool Wait(int ms);

  uint64_t seed_;
  int port_;
  Catalog catalog_;
  GuangService guang_;
  Gateway gateway_;
  ShortLinks links_;
  Faults faults_;
  RequestLog log_;
  httplib::Server server_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
};

}  // namespace guang_sim

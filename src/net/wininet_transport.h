// The Windows transport: every request runs through WinInet on a worker
// thread of its own, while the calling (window) thread waits for it with
// the request's time-out and processes window events after every wake-up.
// At a time-out the worker is abandoned: it keeps its own share of the
// request, stops at its next call or read (WinInet's own time-outs end a
// call that waits), closes its handles and ends by itself; nothing it does
// afterwards reaches the caller.
#pragma once

#include "net/event_pump.h"
#include "net/transport.h"

namespace pelrine {

class WinInetTransport final : public Transport {
 public:
  explicit WinInetTransport(EventPump& pump) : pump_(pump) {}

  FetchReply Fetch(const FetchRequest& request) override;
  UtilityReply Request(const UtilityRequest& request) override;

 private:
  EventPump& pump_;
};

}  // namespace pelrine

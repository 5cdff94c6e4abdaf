// Waiting on the window thread without freezing the window.
#pragma once

#include "net/event_pump.h"

namespace pelrine {

// The pause between the steps of a wait: a seam, so that tests never sleep.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(int milliseconds) = 0;
};

// Really sleeps the calling thread.
class ThreadSleeper final : public Sleeper {
 public:
  void Sleep(int milliseconds) override;
};

// Waits `milliseconds` in steps of 10 ms, processing the pending window
// events after each step.
void WaitWithEvents(int milliseconds, EventPump& events, Sleeper& sleeper);

}  // namespace pelrine

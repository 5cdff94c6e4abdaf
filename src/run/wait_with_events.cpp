#include "run/wait_with_events.h"

#include <algorithm>
#include <thread>

namespace pelrine {

void ThreadSleeper::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void WaitWithEvents(int milliseconds, EventPump& events, Sleeper& sleeper) {
  constexpr int kStep = 10;
  for (int waited = 0; waited < milliseconds; waited += kStep) {
    sleeper.Sleep(std::min(kStep, milliseconds - waited));
    events.ProcessEvents();
  }
}

}  // namespace pelrine

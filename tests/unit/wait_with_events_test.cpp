#include "run/wait_with_events.h"

#include <gtest/gtest.h>

#include "run_fakes.h"

namespace pelrine {
namespace {

TEST(WaitWithEvents, SleepsInTenMillisecondStepsWithEventsAfterEach) {
  struct Case {
    int milliseconds;
    int want_steps;
  };
  for (const Case& c : std::initializer_list<Case>{{3000, 300}, {25, 3}, {10, 1}, {0, 0}}) {
    CountingSleeper sleeper;
    FakeRunWindow window;
    WaitWithEvents(c.milliseconds, window, sleeper);
    EXPECT_EQ(sleeper.slept, c.milliseconds);
    EXPECT_EQ(sleeper.steps, c.want_steps);
    EXPECT_EQ(window.events, c.want_steps);
  }
}

}  // namespace
}  // namespace pelrine

#include "faults.h"

#include <gtest/gtest.h>

#include "sim_process.h"

namespace guang_sim {
namespace {

TEST(Faults, ReadsTheirSwitches) {
  struct Case {
    std::string switch_text;
    bool ok;
  };
  for (const Case& c : std::vector<Case>{
           {"/search/ajax/get_search_source.json=latency:50,jitter:20", true},
           {"/pic/*=timeout", true},
           {"*=timeout:200,first:2", true},
           {"/a=reset,every:3", true},
           {"/a=truncate", true},
           {"/a=error500", true},
           {"/a=bigheader", true},
           {"/a=bigheader:100", true},
           {"/a=", true},  // no fault: counts the requests only
           {"/a", false},
           {"=reset", false},
           {"/a=latency", false},
           {"/a=latency:", false},
           {"/a=latency:-5", false},
           {"/a=latency:5ms", false},
           {"/a=reset:1", false},
           {"/a=slow", false},
       }) {
    Faults faults(1);
    std::string error;
    EXPECT_EQ(faults.Add(c.switch_text, error), c.ok) << c.switch_text;
    EXPECT_EQ(error.empty(), c.ok) << c.switch_text;
  }
}

TEST(Faults, PlansByPathAndCount) {
  Faults faults(1);
  std::string error;
  ASSERT_TRUE(faults.Add("/a=latency:10", error));
  ASSERT_TRUE(faults.Add("/a=reset,every:2", error));
  ASSERT_TRUE(faults.Add("/p/*=error500,first:1", error));
  ASSERT_TRUE(faults.Add("*=bigheader:7", error));
  struct Step {
    std::string path;
    int delay;
    FaultAction action;
    size_t header_bytes;
  };
  for (const Step& s : std::vector<Step>{
           {"/a", 10, FaultAction::kNone, 7},
           {"/a", 10, FaultAction::kReset, 7},
           {"/a", 10, FaultAction::kNone, 7},
           {"/ab", 0, FaultAction::kNone, 7},  // an exact path is no prefix
           {"/p/x.jpg", 0, FaultAction::kError500, 7},
           {"/p/y.jpg", 0, FaultAction::kNone, 7},
           {"/a", 10, FaultAction::kReset, 7},
       }) {
    const FaultPlan plan = faults.PlanFor(s.path);
    EXPECT_EQ(plan.delay_ms, s.delay) << s.path;
    EXPECT_EQ(plan.action, s.action) << s.path;
    EXPECT_EQ(plan.header_bytes, s.header_bytes) << s.path;
  }
}

TEST(Faults, JitterStaysInItsRange) {
  Faults faults(1);
  std::string error;
  ASSERT_TRUE(faults.Add("/a=latency:5,jitter:3", error));
  for (int i = 0; i < 50; ++i) {
    const int delay = faults.PlanFor("/a").delay_ms;
    EXPECT_GE(delay, 5);
    EXPECT_LE(delay, 8);
  }
}

constexpr char kWords[] = "/sim/words";

TEST(FaultsOnTheWire, EachFaultReachesTheClient) {
  SimProcess sim({"--fault", "/sim/words=error500,first:1", "--fault", "/pic/*=truncate", "--fault",
                  "/create.php=reset", "--fault", "/item.htm=bigheader:20000", "--fault",
                  "/click=latency:30,jitter:10"});
  ASSERT_GT(sim.port(), 0);

  auto first = sim.Get(kWords);
  EXPECT_EQ(first.first, 500);
  EXPECT_EQ(first.second.find("|"), std::string::npos);
  EXPECT_EQ(sim.Get(kWords).first, 200);  // the switch held for the first request only

  httplib::Client client = sim.Client();
  auto truncated = client.Get("/pic/a.jpg");
  EXPECT_FALSE(truncated);  // the body ends before its announced length

  EXPECT_EQ(sim.PostForm("/create.php", "url=http%3A%2F%2Fsim.test%2F").first, -1);

  auto padded = client.Get("/item.htm?id=1");
  ASSERT_TRUE(padded);
  size_t header_bytes = 0;
  for (const auto& [name, value] : padded->headers) header_bytes += name.size() + value.size() + 4;
  EXPECT_GE(header_bytes, 20000u);
  EXPECT_NE(padded->body.find("</html>"), std::string::npos);

  auto late = client.Get("/click?e=0123456789ab&pid=1");
  ASSERT_TRUE(late);
  EXPECT_EQ(late->status, 302);
}

TEST(FaultsOnTheWire, ATimeoutHoldsTheAnswerAndEndsWithTheSimulator) {
  auto sim =
      std::make_unique<SimProcess>(std::vector<std::string>{"--fault", "/sim/words=timeout"});
  ASSERT_GT(sim->port(), 0);
  EXPECT_FALSE(sim->Client(200).Get(kWords));
  sim.reset();  // must not wait for the two minutes of the hold
}

}  // namespace
}  // namespace guang_sim

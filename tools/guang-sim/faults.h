// Fault switches per path, given on the command line as PATH=ITEM[,ITEM...]:
// a path, a path prefix ending in "*", or "*" for every path; items
//   latency:MS  jitter:MS         delay every answer by MS, plus 0..MS at random
//   timeout[:MS]                  hold the request MS (120000) and close without answer
//   reset                         abort the connection with a TCP reset, no answer
//   truncate                      send the headers and half the body, then close
//   error500                      answer an error page with status 500
//   bigheader[:BYTES]             add BYTES (65536) of extra header lines
//   first:N  every:N              only the first N requests to the path, or every Nth
#pragma once

#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace guang_sim {

enum class FaultAction { kNone, kTimeout, kReset, kTruncate, kError500 };

// What to do with one request.
struct FaultPlan {
  int delay_ms = 0;
  FaultAction action = FaultAction::kNone;
  int hold_ms = 0;          // for kTimeout
  size_t header_bytes = 0;  // extra header lines
};

class Faults {
 public:
  explicit Faults(uint64_t seed) : random_(seed) {}

  // Adds one switch; false with `error` set when it cannot be read.
  bool Add(std::string_view switch_text, std::string& error);
  // The plan for the next request to `path`; counts it for first and every.
  // Delays add up; of several actions the first switch's wins.
  FaultPlan PlanFor(std::string_view path);

 private:
  struct Rule {
    std::string path;
    bool prefix = false;
    int latency_ms = 0, jitter_ms = 0;
    FaultAction action = FaultAction::kNone;
    int hold_ms = 120000;
    size_t header_bytes = 0;
    long first = 0, every = 0;
    long seen = 0;
  };

  std::mutex mutex_;
  std::vector<Rule> rules_;
  std::mt19937_64 random_;
};

}  // namespace guang_sim

#include "guang/random_source.h"

#include <ctime>

namespace pelrine {

int SeededRandom::Uniform(int low, int high) {
  const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low) + 1;
  // Draws at or above the largest multiple of `span` are thrown away, so
  // every value of the range is equally likely.
  const std::uint64_t limit = (std::uint64_t{1} << 32) / span * span;
  std::uint64_t draw;
  do draw = engine_();
  while (draw >= limit);
  return static_cast<int>(low + static_cast<std::int64_t>(draw % span));
}

std::uint32_t ClockSeed() {
  // The calendar clock in seconds and the processor clock since the start;
  // <chrono> cannot be compiled to GBK (its "\u00b5s" has no GBK form).
  return static_cast<std::uint32_t>(std::time(nullptr)) * 1000003u +
         static_cast<std::uint32_t>(std::clock());
}

}  // namespace pelrine

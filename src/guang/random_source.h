// The program's source of random numbers: a seam, so that tests draw from a
// fixed seed and the program from the clock.
#pragma once

#include <cstdint>
#include <random>

namespace pelrine {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniformly drawn integer from `low` to `high`, both included; low <= high.
  virtual int Uniform(int low, int high) = 0;
};

// Mersenne Twister with an unbiased reduction to the range, so a seed gives
// the same draws on every platform.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
  int Uniform(int low, int high) override;

 private:
  std::mt19937 engine_;
};

// A seed taken from the clock, for the program.
std::uint32_t ClockSeed();

}  // namespace pelrine

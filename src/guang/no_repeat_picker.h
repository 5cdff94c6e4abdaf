// Draws integers without repetition: every number of the range comes once
// before any comes again. A value; copying it copies the pool.
#pragma once

#include <vector>

#include "guang/random_source.h"

namespace pelrine {

class NoRepeatPicker {
 public:
  // A number of the pool, which is first filled with low..high when empty
  // (the range matters only then). Callers never pass low > high.
  int Pick(int low, int high, RandomSource& random);

 private:
  std::vector<int> pool_;
};

}  // namespace pelrine

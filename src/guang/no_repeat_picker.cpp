#include "guang/no_repeat_picker.h"

#include <utility>

namespace pelrine {

int NoRepeatPicker::Pick(int low, int high, RandomSource& random) {
  if (pool_.empty()) {
    pool_.reserve(static_cast<size_t>(high - low) + 1);
    for (long long n = low; n <= high; ++n) pool_.push_back(static_cast<int>(n));
  }
  // The drawn entry leaves by swapping with the last one: the pool is a set,
  // its order does not matter to a uniform draw, and removal stays O(1).
  const size_t k = static_cast<size_t>(random.Uniform(0, static_cast<int>(pool_.size()) - 1));
  const int picked = pool_[k];
  pool_[k] = pool_.back();
  pool_.pop_back();
  return picked;
}

}  // namespace pelrine

// A random source that hands out scripted draws, for exact expectations.
#pragma once

#include <gtest/gtest.h>

#include <deque>

#include "guang/random_source.h"

namespace pelrine {

// Hands out the scripted draws in order and checks that each lies in the
// range asked for.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<int> draws) : draws_(std::move(draws)) {}
  int Uniform(int low, int high) override {
    if (draws_.empty()) {
      ADD_FAILURE() << "no scripted draw left";
      return low;
    }
    const int draw = draws_.front();
    draws_.pop_front();
    EXPECT_TRUE(draw >= low && draw <= high) << draw << " outside " << low << ".." << high;
    return draw;
  }

 private:
  std::deque<int> draws_;
};

}  // namespace pelrine

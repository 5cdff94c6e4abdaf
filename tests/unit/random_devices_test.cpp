#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "guang/insert_word_list.h"
#include "guang/no_repeat_picker.h"
#include "guang/random_source.h"

namespace pelrine {
namespace {

TEST(SeededRandom, StaysInRangeAndRepeatsWithTheSeed) {
  struct Case {
    int low, high;
  };
  for (const Case& c : std::initializer_list<Case>{{1, 1}, {1, 2}, {0, 5}, {-3, 3}, {1, 100000}}) {
    SeededRandom random(7), again(7);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
      const int draw = random.Uniform(c.low, c.high);
      ASSERT_GE(draw, c.low);
      ASSERT_LE(draw, c.high);
      EXPECT_EQ(draw, again.Uniform(c.low, c.high));
      seen.insert(draw);
    }
    if (c.high - c.low < 10) {
      EXPECT_EQ(seen.size(), static_cast<size_t>(c.high - c.low + 1));
    }
  }
}

// Draws `count` numbers from `picker` over low..high.
std::vector<int> Draw(NoRepeatPicker& picker, int count, int low, int high, RandomSource& random) {
  std::vector<int> drawn;
  for (int i = 0; i < count; ++i) drawn.push_back(picker.Pick(low, high, random));
  return drawn;
}

std::vector<int> Sorted(std::vector<int> values) {
  std::sort(values.begin(), values.end());
  return values;
}

TEST(NoRepeatPicker, EachRoundIsAPermutation) {
  SeededRandom random(1);
  NoRepeatPicker picker;
  for (int round = 0; round < 3; ++round)
    EXPECT_EQ(Sorted(Draw(picker, 5, 3, 7, random)), (std::vector<int>{3, 4, 5, 6, 7}));
}

TEST(NoRepeatPicker, RangeMattersOnlyWhenThePoolRefills) {
  SeededRandom random(2);
  NoRepeatPicker picker;
  std::vector<int> round = Draw(picker, 1, 1, 3, random);
  const std::vector<int> rest = Draw(picker, 2, 10, 20, random);
  round.insert(round.end(), rest.begin(), rest.end());
  EXPECT_EQ(Sorted(round), (std::vector<int>{1, 2, 3}));
  EXPECT_GE(picker.Pick(10, 20, random), 10);
}

TEST(NoRepeatPicker, CopyKeepsThePool) {
  SeededRandom random(3);
  NoRepeatPicker picker;
  picker.Pick(1, 4, random);
  NoRepeatPicker copy = picker;
  SeededRandom same(9), also(9);
  EXPECT_EQ(Draw(picker, 3, 1, 4, same), Draw(copy, 3, 1, 4, also));
}

TEST(InsertWordList, SplitsLinesWithoutTrimming) {
  using Words = std::vector<std::string>;
  struct Case {
    std::string_view text;
    Words want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", {}},
           {"a", {"a"}},
           {"a\r\nb\r\n", {"a", "b"}},
           {"a\r\n\r\nb", {"a", "", "b"}},
           {" a \r\nb\n", {" a ", "b\n"}},
       })
    EXPECT_EQ(InsertWordList::FromText(c.text).words, c.want) << c.text;
}

TEST(InsertWordList, HandsOutEveryWordOncePerRound) {
  SeededRandom random(4);
  InsertWordList list = InsertWordList::FromText("甲\r\n乙\r\n丙");
  std::vector<std::string> drawn;
  for (int i = 0; i < 7; ++i) drawn.push_back(list.Draw(random));
  const std::multiset<std::string> all = {"甲", "乙", "丙"};
  EXPECT_EQ(std::multiset<std::string>(drawn.begin(), drawn.begin() + 3), all);
  EXPECT_EQ(std::multiset<std::string>(drawn.begin() + 3, drawn.begin() + 6), all);
  EXPECT_EQ(all.count(drawn[6]), 1u);

  InsertWordList empty;
  EXPECT_EQ(empty.Draw(random), "");
}

}  // namespace
}  // namespace pelrine

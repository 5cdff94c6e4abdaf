// One insert-word list: the words of its control (one per line) and the
// picker that hands them out without repetition for the whole run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "guang/no_repeat_picker.h"
#include "guang/random_source.h"

namespace pelrine {

struct InsertWordList {
  // The control's text split at CR LF; words are not trimmed and an empty
  // line between two lines is an empty word.
  static InsertWordList FromText(std::string_view text);

  // The next word of the picker's round; "" for a list without words.
  std::string Draw(RandomSource& random);

  std::vector<std::string> words;
  NoRepeatPicker picker;
};

}  // namespace pelrine

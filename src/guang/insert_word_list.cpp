#include "guang/insert_word_list.h"

#include "net/gbk_text.h"

namespace pelrine {

InsertWordList InsertWordList::FromText(std::string_view text) {
  return InsertWordList{SplitText(text, "\r\n"), NoRepeatPicker()};
}

std::string InsertWordList::Draw(RandomSource& random) {
  if (words.empty()) return {};
  return words[static_cast<size_t>(picker.Pick(1, static_cast<int>(words.size()), random) - 1)];
}

}  // namespace pelrine

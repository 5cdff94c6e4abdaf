#include "run/random_sentence.h"

#include "guang/regex_object.h"
#include "net/gbk_text.h"
#include "run/char_text.h"

namespace pelrine {
namespace {

constexpr std::string_view kSentenceBreaks = ",，。！!？?；<>/:：()='. {}《》（）\"\r\n";
constexpr std::string_view kPieceMark = "⊥";

}  // namespace

SentencePieces::SentencePieces(std::string_view text) {
  std::string pattern = EscapeLiteral(kSentenceBreaks);
  pattern.insert(pattern.begin(), '[');
  pattern.push_back(']');
  // The class holds no letter, so ignoring case would change nothing; it
  // would only cost the engine a collation lookup for every character.
  RegexObject breaks;
  breaks.CreateWith(pattern, /*ignore_case=*/false);
  pieces_ = SplitText(breaks.Replace(text, kPieceMark), kPieceMark);
  for (size_t i = 0; i < pieces_.size(); ++i)
    if (CharCount(pieces_[i]) >= 2) sentences_.push_back(i);
}

std::string SentencePieces::RandomSentence(RandomSource& random, EventPump& events) const {
  events.ProcessEvents();
  // Drawing pieces without repetition until one qualifies gives each
  // qualifying piece the same chance, which is one uniform draw among them.
  if (!sentences_.empty())
    return pieces_[sentences_[static_cast<size_t>(
        random.Uniform(0, static_cast<int>(sentences_.size()) - 1))]];
  if (pieces_.empty()) return {};
  return pieces_[static_cast<size_t>(random.Uniform(0, static_cast<int>(pieces_.size()) - 1))];
}

}  // namespace pelrine

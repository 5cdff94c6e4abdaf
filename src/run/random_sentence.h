// Random sentences of an article: the text cut at every sentence break
// character, and draws among the pieces.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "guang/random_source.h"
#include "net/event_pump.h"

namespace pelrine {

class SentencePieces {
 public:
  // Cuts `text` at each of the 28 sentence break characters and at each
  // "⊥", by the splitting rule.
  explicit SentencePieces(std::string_view text);

  const std::vector<std::string>& Pieces() const { return pieces_; }

  // A random piece of two or more characters; when there is none, any random
  // piece; "" when the text has no pieces.
  std::string RandomSentence(RandomSource& random, EventPump& events) const;

 private:
  std::vector<std::string> pieces_;
  std::vector<size_t> sentences_;  // the pieces of two or more characters
};

}  // namespace pelrine

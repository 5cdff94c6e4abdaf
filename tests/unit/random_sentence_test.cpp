#include "run/random_sentence.h"

#include <gtest/gtest.h>

#include <set>

#include "run_fakes.h"

namespace pelrine {
namespace {

TEST(SentencePieces, CutsAtEverySentenceBreak) {
  for (std::string_view cut :
       {",", "，", "。", "！", "!", "？", "?",  "；", "<",  ">",  "/",  ":",  "：", "(", ")",
        "=", "'",  ".",  " ",  "{", "}",  "《", "》", "（", "）", "\"", "\r", "\n", "⊥"}) {
    const std::string text = "甲" + std::string(cut) + "乙";
    EXPECT_EQ(SentencePieces(text).Pieces(), (std::vector<std::string>{"甲", "乙"})) << text;
  }
}

TEST(SentencePieces, FollowsTheSplittingRule) {
  using Pieces = std::vector<std::string>;
  struct Case {
    std::string_view text;
    Pieces want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", {}},
           {"无断句", {"无断句"}},
           {"a,,b", {"a", "", "b"}},
           {"a.", {"a"}},
           {"《书》", {"", "书"}},
           {"<br>\r\n", {"", "br", "", ""}},
           {"a-b、c", {"a-b、c"}},
           {"甲\xB0\x7B乙", {"甲\xB0\x7B乙"}},  // 0x7B ("{") as the trail byte of a character
       })
    EXPECT_EQ(SentencePieces(c.text).Pieces(), c.want) << c.text;
}

TEST(SentencePieces, PrefersPiecesOfTwoOrMoreCharacters) {
  struct Case {
    std::string_view text;
    std::set<std::string> want;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"<br>好<img>", {"br", "img"}},
           {"a,b,c", {"a", "b", "c"}},  // no piece qualifies: any piece
           {",,", {""}},
           {"", {""}},
       }) {
    const SentencePieces pieces(c.text);
    std::set<std::string> drawn;
    FakeRunWindow events;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
      SeededRandom random(seed);
      drawn.insert(pieces.RandomSentence(random, events));
    }
    EXPECT_EQ(drawn, c.want) << c.text;
    EXPECT_EQ(events.events, 30);
  }
}

}  // namespace
}  // namespace pelrine

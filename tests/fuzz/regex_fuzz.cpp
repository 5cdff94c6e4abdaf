// RegexObject with the program's patterns on arbitrary text, and short
// arbitrary patterns on short texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "guang/regex_object.h"
#include "net/gbk_text.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

bool ContainsCharacter(std::string_view text, std::string_view character) {
  return pelrine::FindOnCharBoundary(text, character) != std::string_view::npos;
}

void ProgramPatterns(std::string_view text) {
  using namespace pelrine;
  RegexObject blanks;
  Require(blanks.Create("[\\11\\r\\n \xA1\xA1]"));
  const std::string stripped = blanks.Replace(text, "");
  for (std::string_view blank : {"\t", "\r", "\n", " ", "\xA1\xA1"})
    Require(!ContainsCharacter(stripped, blank));

  const std::string_view breaks = ",，。！!？?；<>/:：()='. {}《》（）\"\r\n";
  RegexObject sentences;
  Require(sentences.CreateWith(std::string("[").append(EscapeLiteral(breaks)).append("]")));
  const std::string cut = sentences.Replace(text, "\xA1\xCD");
  for (size_t at = 0; at < breaks.size(); at += GbkCharLength(breaks, at))
    Require(!ContainsCharacter(cut, breaks.substr(at, GbkCharLength(breaks, at))));

  RegexObject markup;
  Require(markup.CreateWith("\xA3\xBC.*?\xA3\xBE", false, true, true));
  markup.Replace(text, "");
}

// Counted repetitions are left out: they multiply the automaton by their
// counts, and the program's patterns have none.
void ArbitraryPattern(std::string_view pattern, std::string_view text, uint8_t flags) {
  using namespace pelrine;
  if (pattern.find('{') != std::string_view::npos) return;
  RegexObject regex;
  if (!regex.Create(pattern, flags & 1, flags & 2, flags & 4)) {
    Require(regex.Execute(text) == 0 && regex.Replace(text, "x") == text);
    return;
  }
  const int count = regex.Execute(text);
  Require(count == regex.MatchCount());
  for (int i = 1; i <= count; ++i)
    for (int j = 0; j <= regex.SubMatchCount(); ++j)
      Require(regex.MatchText(i, j).size() <= 2 * static_cast<size_t>(regex.MatchLength(i, j)));
  regex.Replace(text, "$1$&$`$'$$");
  regex.Test(text);
}

}  // namespace

// Input: a byte of flags, a byte giving the pattern's length (up to 31), the
// pattern, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::string_view pattern = rest.substr(0, data[1] & 31);
  const std::string_view text = rest.substr(pattern.size());
  ProgramPatterns(text);
  ArbitraryPattern(pattern, text.substr(0, 256), data[0]);
  return 0;
}

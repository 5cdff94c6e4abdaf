// A regular-expression object over GBK text: ECMAScript patterns (with legacy
// octal escapes such as \11 accepted), the ignore-case, multiline and global
// flags, a kept match collection with sub-matches, and replacement of every
// or only the first match. A pattern that does not compile, and an object
// that has no pattern yet, give empty results: no matches, "" for texts,
// Replace gives its input. Texts are matched as UTF-16 and come back as GBK,
// so bytes that form no GBK character come back as "?".
//
// Matching is bounded, whatever the text:
// - Backtracking recurses once per character a "*", "+" or counted
//   repetition takes. A pattern with one of those is therefore matched by
//   backtracking, exactly as ECMAScript says, only while (characters of the
//   text + 1) x (characters of the pattern + 1) stays within 4096; beyond, by
//   the engine's polynomial mode, whose recursion depends on the pattern
//   alone. There an alternation prefers the branch that gives the longer
//   match ("a|ab" finds "ab"), and a pattern with a back-reference finds
//   nothing. Other patterns are always matched by backtracking.
// - An operation reads each character of its text at most 32 times, plus
//   100000 reads; one that needs more gives the empty results. The work per
//   read grows with the pattern (a counted repetition such as a{1000} copies
//   its atom that often), so patterns are kept to the program's small ones.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pelrine {

class RegexObject {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject&);
  RegexObject& operator=(const RegexObject&);

  // Sets the pattern and the flags (ignore case unless `case_sensitive`,
  // multiline unless `anchors_at_text_ends_only`, global unless
  // `first_match_only`). A "" pattern keeps the previous one and changes
  // only the flags; the same pattern and flags again change nothing.
  // Answers whether the object now has a pattern that compiles.
  bool Create(std::string_view pattern, bool case_sensitive = false,
              bool anchors_at_text_ends_only = false, bool first_match_only = false);
  bool CreateWith(std::string_view pattern, bool ignore_case = true, bool multiline = true,
                  bool global = true);

  // Runs the pattern over `text`, keeps the matches and answers their count.
  int Execute(std::string_view text);
  int CreateAndExecute(std::string_view pattern, std::string_view text, bool case_sensitive = false,
                       bool anchors_at_text_ends_only = false, bool first_match_only = false);
  int MatchCount() const;
  // Match `match` (1-based) of the kept matches, or its sub-match `submatch`
  // (1-based) when that is 1 or more; "" when there is no such match.
  std::string MatchText(int match, int submatch = 0) const;
  // The same match's length in UTF-16 units, as the engine counts; 0 when
  // there is no such match.
  int MatchLength(int match, int submatch = 0) const;
  int SubMatchCount() const;  // of the first kept match

  bool Test(std::string_view text) const;
  // Replaces the matches ($& $1 $$ as in ECMAScript); every match or only the
  // first, and case, follow the flags last applied.
  std::string Replace(std::string_view text, std::string_view replacement);
  std::string Replace(std::string_view text, std::string_view replacement, std::string_view pattern,
                      bool case_sensitive = false, bool anchors_at_text_ends_only = false,
                      bool first_match_only = false);

  const std::string& Pattern() const { return pattern_; }
  int Flags() const { return flags_; }  // bit 1 ignore case, bit 2 multiline, bit 4 global
  int EngineUpdates() const { return engine_updates_; }  // how often the compiled pattern changed

 private:
  // Both are immutable once made, so copies share them: a copy that applies
  // another pattern or runs another text gets new ones.
  struct Engine;
  struct Matches;
  std::shared_ptr<const Engine> engine_;
  std::shared_ptr<const Matches> matches_;
  std::string pattern_;
  int flags_ = 0;
  int engine_updates_ = 0;
};

// Backslash before each of \ ^ $ + . { } [ ] = ( ) ? * | and the double quote.
std::string EscapeLiteral(std::string_view text);
// The same, but "|" keeps its meaning of alternation.
std::string EscapeKeepAlternation(std::string_view text);
// The same without ? * |; then "*" becomes ".*" and "?" becomes ".?".
std::string EscapeWildcard(std::string_view text);

}  // namespace pelrine

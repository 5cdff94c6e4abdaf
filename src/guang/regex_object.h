// A regular-expression object over GBK text: ECMAScript patterns (with legacy
// octal escapes such as \11 accepted), the ignore-case, multiline and global
// flags, a kept match collection with sub-matches, and replacement of every
// or only the first match. A pattern that does not compile leaves the object
// without a usable pattern: no matches, "" for texts, Replace gives its input.
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
  int MatchLength(int match, int submatch = 0) const;
  int SubMatchCount() const;  // of the first kept match

  bool Test(std::string_view text) const;
  // Replaces the matches ($& $1 $$ as in ECMAScript); every match or only the
  // first, and case, follow the flags last applied.
  std::string Replace(std::string_view text, std::string_view replacement);
  std::string Replace(std::string_view text, std::string_view replacement,
                      std::string_view pattern, bool case_sensitive = false,
                      bool anchors_at_text_ends_only = false, bool first_match_only = false);

  const std::string& Pattern() const { return pattern_; }
  int Flags() const { return flags_; }  // bit 1 ignore case, bit 2 multiline, bit 4 global
  int EngineUpdates() const { return engine_updates_; }  // how often the compiled pattern changed

 private:
  struct Engine;
  std::shared_ptr<Engine> engine_;
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

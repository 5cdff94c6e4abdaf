#include "guang/regex_object.h"

#include <iterator>
#include <optional>
#include <regex>
#include <vector>

#include "net/code_pages.h"
#include "net/gbk_text.h"

namespace pelrine {
namespace {

constexpr size_t kBacktrackingLimit = 4096;
constexpr long long kReadsPerCharacter = 32;
constexpr long long kBaseReads = 100'000;

constexpr int kIgnoreCase = 1;
constexpr int kMultiline = 2;
constexpr int kGlobal = 4;

struct OutOfReads {};

// A position in the wide text that counts every character the engine reads
// and stops the engine once the operation's reads are spent.
class CountingIterator {
 public:
  using iterator_category = std::bidirectional_iterator_tag;
  using value_type = wchar_t;
  using difference_type = std::ptrdiff_t;
  using pointer = const wchar_t*;
  using reference = const wchar_t&;

  CountingIterator() = default;
  CountingIterator(const wchar_t* at, long long* reads_left) : at_(at), reads_left_(reads_left) {}

  reference operator*() const {
    if (--*reads_left_ < 0) throw OutOfReads();
    return *at_;
  }
  CountingIterator& operator++() {
    ++at_;
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator old = *this;
    ++at_;
    return old;
  }
  CountingIterator& operator--() {
    --at_;
    return *this;
  }
  CountingIterator operator--(int) {
    CountingIterator old = *this;
    --at_;
    return old;
  }
  bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

  const wchar_t* at() const { return at_; }

 private:
  const wchar_t* at_ = nullptr;
  long long* reads_left_ = nullptr;
};

struct Span {
  size_t begin = std::wstring::npos;  // npos: a sub-match that took no part
  size_t length = 0;
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsOctalDigit(wchar_t c) { return c >= L'0' && c <= L'7'; }

// Calls `visit(at, in_class)` for every character of the pattern that is not
// part of an escape, and `escape(at, in_class)` at every backslash that has a
// character after it; each returns where to go on.
template <typename Visit, typename Escape>
void WalkPattern(std::wstring_view pattern, Visit visit, Escape escape) {
  bool in_class = false;
  for (size_t at = 0; at < pattern.size();) {
    if (pattern[at] == L'\\' && at + 1 < pattern.size()) {
      at = escape(at, in_class);
      continue;
    }
    if (pattern[at] == L'[') in_class = true;
    if (pattern[at] == L']') in_class = false;
    at = visit(at, in_class);
  }
}

// True when a quantifier lets the pattern take a stretch of text of any
// length (counted ones are taken to, too): backtracking then recurses once
// per character it takes.
bool HasOpenQuantifier(std::wstring_view pattern) {
  bool open = false;
  WalkPattern(
      pattern,
      [&](size_t at, bool in_class) {
        if (!in_class && (pattern[at] == L'*' || pattern[at] == L'+' || pattern[at] == L'{'))
          open = true;
        return at + 1;
      },
      [](size_t at, bool) { return at + 2; });
  return open;
}

size_t CountCapturingGroups(std::wstring_view pattern) {
  size_t groups = 0;
  WalkPattern(
      pattern,
      [&](size_t at, bool in_class) {
        if (!in_class && pattern[at] == L'(' && pattern.substr(at + 1, 1) != L"?") ++groups;
        return at + 1;
      },
      [](size_t at, bool) { return at + 2; });
  return groups;
}

std::wstring HexEscape(int value) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  return {L'\\', L'x', kDigits[value >> 4], kDigits[value & 15]};
}

// Legacy escapes of the ECMAScript family that std::regex refuses, rewritten
// to ones it takes: outside a class, \N with N greater than the number of
// capturing groups, and inside a class every \N, is an octal escape of up to
// three digits (two when the first is 4-7) and becomes \xHH; \8 and \9 stand
// for the digit itself.
std::wstring RewriteLegacyEscapes(std::wstring_view pattern) {
  const size_t groups = CountCapturingGroups(pattern);
  std::wstring out;
  out.reserve(pattern.size());
  WalkPattern(
      pattern,
      [&](size_t at, bool) {
        out += pattern[at];
        return at + 1;
      },
      [&](size_t at, bool in_class) {
        const size_t first = at + 1;
        if (!IsDigit(pattern[first])) {
          out.append(pattern.substr(at, 2));
          return first + 1;
        }
        size_t end = first;
        size_t number = 0;
        for (; end < pattern.size() && IsDigit(pattern[end]); ++end)
          if (number <= groups) number = number * 10 + (pattern[end] - L'0');
        if (!in_class && pattern[first] != L'0' && number <= groups) {
          out.append(pattern.substr(at, end - at));
          return end;
        }
        if (!IsOctalDigit(pattern[first])) {
          out += pattern[first];
          return first + 1;
        }
        const size_t longest = pattern[first] <= L'3' ? 3 : 2;
        int value = 0;
        size_t next = first;
        for (; next < first + longest && next < pattern.size() && IsOctalDigit(pattern[next]);
             ++next)
          value = value * 8 + (pattern[next] - L'0');
        out += HexEscape(value);
        return next;
      });
  return out;
}

// A regex of the pattern, or nullopt when it does not compile.
std::optional<std::wregex> Compile(std::wstring_view pattern,
                                   std::regex_constants::syntax_option_type options) {
  try {
    return std::wregex(pattern.begin(), pattern.end(), options);
  } catch (const std::regex_error&) {
    return std::nullopt;
  }
}

}  // namespace

struct RegexObject::Engine {
  std::wregex backtracking;
  std::optional<std::wregex> polynomial;  // none for a pattern with back-references
  size_t pattern_length = 0;
  bool open = false;  // see HasOpenQuantifier
  size_t width = 1;   // spans per match: the match, then its sub-matches
  bool global = false;

  std::optional<std::vector<Span>> Find(std::wstring_view subject, bool first_only) const;
};

struct RegexObject::Matches {
  std::wstring subject;
  size_t width = 1;
  std::vector<Span> spans;

  int Count() const { return static_cast<int>(spans.size() / width); }
  // The span of match `match` or of its sub-match `submatch` (1-based), or
  // null when there is none.
  const Span* Find(int match, int submatch) const {
    if (match < 1 || match > Count()) return nullptr;
    if (submatch < 0) submatch = 0;
    if (static_cast<size_t>(submatch) >= width) return nullptr;
    return &spans[(match - 1) * width + submatch];
  }
};

// The spans of every match in `subject` (only the first unless the engine is
// global), each followed by those of its sub-matches; nullopt when the
// operation cannot be done within its bounds.
std::optional<std::vector<Span>> RegexObject::Engine::Find(std::wstring_view subject,
                                                           bool first_only) const {
  const std::wregex* regex = &backtracking;
  if (open && (subject.size() + 1) * (pattern_length + 1) > kBacktrackingLimit) {
    if (!polynomial) return std::nullopt;
    regex = &*polynomial;
  }
  long long reads_left = kBaseReads + kReadsPerCharacter * static_cast<long long>(subject.size());
  const wchar_t* begin = subject.data();
  const CountingIterator end(begin + subject.size(), &reads_left);
  std::vector<Span> spans;
  std::match_results<CountingIterator> match;
  try {
    for (size_t from = 0; from <= subject.size();) {
      auto flags =
          from > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
      if (!std::regex_search(CountingIterator(begin + from, &reads_left), end, match, *regex,
                             flags))
        break;
      for (const auto& part : match)
        spans.push_back(part.matched ? Span{static_cast<size_t>(part.first.at() - begin),
                                            static_cast<size_t>(part.second.at() - part.first.at())}
                                     : Span{});
      if (first_only || !global) break;
      // After an empty match the next search starts one character further.
      const size_t match_start = match[0].first.at() - begin;
      const size_t match_end = match[0].second.at() - begin;
      from = match_end == match_start ? match_end + 1 : match_end;
    }
  } catch (const OutOfReads&) {
    return std::nullopt;
  } catch (const std::regex_error&) {
    return std::nullopt;
  }
  return spans;
}

namespace {

std::wstring_view SpanText(std::wstring_view subject, const Span& span) {
  return span.begin == std::wstring::npos ? std::wstring_view()
                                          : subject.substr(span.begin, span.length);
}

// The replacement for one match (`parts` are its spans) with $$, $&, $`, $'
// and $n or $nn (a group that exists; else the text stays) as in ECMAScript.
void AppendReplacement(std::wstring& out, std::wstring_view replacement, std::wstring_view subject,
                       const Span* parts, size_t width) {
  for (size_t at = 0; at < replacement.size(); ++at) {
    const wchar_t c = replacement[at];
    const wchar_t next = at + 1 < replacement.size() ? replacement[at + 1] : L'\0';
    if (c != L'$' || next == L'\0') {
      out += c;
    } else if (next == L'$') {
      out += L'$';
      ++at;
    } else if (next == L'&') {
      out += SpanText(subject, parts[0]);
      ++at;
    } else if (next == L'`') {
      out += subject.substr(0, parts[0].begin);
      ++at;
    } else if (next == L'\'') {
      out += subject.substr(parts[0].begin + parts[0].length);
      ++at;
    } else if (IsDigit(next)) {
      size_t group = next - L'0';
      size_t digits = 1;
      if (at + 2 < replacement.size() && IsDigit(replacement[at + 2])) {
        const size_t two = group * 10 + (replacement[at + 2] - L'0');
        if (two >= 1 && two < width) {
          group = two;
          digits = 2;
        }
      }
      if (group >= 1 && group < width) {
        out += SpanText(subject, parts[group]);
        at += digits;
      } else {
        out += c;
      }
    } else {
      out += c;
    }
  }
}

}  // namespace

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(const RegexObject&) = default;
RegexObject& RegexObject::operator=(const RegexObject&) = default;

bool RegexObject::Create(std::string_view pattern, bool case_sensitive,
                         bool anchors_at_text_ends_only, bool first_match_only) {
  const int flags = (case_sensitive ? 0 : kIgnoreCase) |
                    (anchors_at_text_ends_only ? 0 : kMultiline) | (first_match_only ? 0 : kGlobal);
  if (pattern == pattern_ && flags == flags_) return engine_ != nullptr;
  if (!pattern.empty()) pattern_ = pattern;
  flags_ = flags;
  ++engine_updates_;
  engine_ = nullptr;
  if (pattern_.empty()) return false;

  const std::wstring wide = RewriteLegacyEscapes(GbkToWide(pattern_));
  auto options = std::regex_constants::ECMAScript;
  if (flags_ & kIgnoreCase) options |= std::regex_constants::icase;
  if (flags_ & kMultiline) options |= std::regex_constants::multiline;
  std::optional<std::wregex> backtracking = Compile(wide, options);
  if (!backtracking) return false;
  auto engine = std::make_shared<Engine>();
  engine->backtracking = std::move(*backtracking);
  engine->polynomial = Compile(wide, options | std::regex_constants::__polynomial);
  engine->pattern_length = wide.size();
  engine->open = HasOpenQuantifier(wide);
  engine->width = engine->backtracking.mark_count() + 1;
  engine->global = (flags_ & kGlobal) != 0;
  engine_ = std::move(engine);
  return true;
}

bool RegexObject::CreateWith(std::string_view pattern, bool ignore_case, bool multiline,
                             bool global) {
  return Create(pattern, !ignore_case, !multiline, !global);
}

int RegexObject::Execute(std::string_view text) {
  matches_ = nullptr;
  if (!engine_) return 0;
  auto matches = std::make_shared<Matches>();
  matches->subject = GbkToWide(text);
  std::optional<std::vector<Span>> spans = engine_->Find(matches->subject, false);
  if (!spans) return 0;
  matches->width = engine_->width;
  matches->spans = std::move(*spans);
  matches_ = std::move(matches);
  return matches_->Count();
}

int RegexObject::CreateAndExecute(std::string_view pattern, std::string_view text,
                                  bool case_sensitive, bool anchors_at_text_ends_only,
                                  bool first_match_only) {
  if (!Create(pattern, case_sensitive, anchors_at_text_ends_only, first_match_only)) return 0;
  return Execute(text);
}

int RegexObject::MatchCount() const { return matches_ ? matches_->Count() : 0; }

std::string RegexObject::MatchText(int match, int submatch) const {
  const Span* span = matches_ ? matches_->Find(match, submatch) : nullptr;
  return span ? WideToGbk(SpanText(matches_->subject, *span)) : "";
}

int RegexObject::MatchLength(int match, int submatch) const {
  const Span* span = matches_ ? matches_->Find(match, submatch) : nullptr;
  return span ? static_cast<int>(SpanText(matches_->subject, *span).size()) : 0;
}

int RegexObject::SubMatchCount() const {
  return MatchCount() > 0 ? static_cast<int>(matches_->width) - 1 : 0;
}

bool RegexObject::Test(std::string_view text) const {
  if (!engine_) return false;
  std::optional<std::vector<Span>> spans = engine_->Find(GbkToWide(text), true);
  return spans && !spans->empty();
}

std::string RegexObject::Replace(std::string_view text, std::string_view replacement) {
  if (!engine_) return std::string(text);
  const std::wstring subject = GbkToWide(text);
  std::optional<std::vector<Span>> spans = engine_->Find(subject, false);
  if (!spans) return std::string(text);
  const std::wstring wide_replacement = GbkToWide(replacement);
  const size_t width = engine_->width;
  std::wstring out;
  size_t copied = 0;
  for (size_t at = 0; at < spans->size(); at += width) {
    const Span& whole = (*spans)[at];
    out.append(subject, copied, whole.begin - copied);
    AppendReplacement(out, wide_replacement, subject, &(*spans)[at], width);
    copied = whole.begin + whole.length;
  }
  out.append(subject, copied);
  return WideToGbk(out);
}

std::string RegexObject::Replace(std::string_view text, std::string_view replacement,
                                 std::string_view pattern, bool case_sensitive,
                                 bool anchors_at_text_ends_only, bool first_match_only) {
  Create(pattern, case_sensitive, anchors_at_text_ends_only, first_match_only);
  return Replace(text, replacement);
}

namespace {

std::string EscapeEach(std::string_view text, std::string_view characters) {
  std::string escaped(text);
  for (char c : characters) {
    const char one[] = {c, '\0'};
    const char with_backslash[] = {'\\', c, '\0'};
    escaped = ReplaceAll(escaped, one, with_backslash);
  }
  return escaped;
}

}  // namespace

std::string EscapeLiteral(std::string_view text) { return EscapeEach(text, "\\^$+.{}[]=()?*|\""); }

std::string EscapeKeepAlternation(std::string_view text) {
  return EscapeEach(text, "\\^$+.{}[]=()?*\"");
}

std::string EscapeWildcard(std::string_view text) {
  return ReplaceAll(ReplaceAll(EscapeEach(text, "\\^$+.{}[]=()\""), "*", ".*"), "?", ".?");
}

}  // namespace pelrine

// Cutting values out of service responses between fixed marker texts.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// The text between the first `left` marker at or after `*position` and the
// first `right` marker after it; with `reverse`, between the last `right`
// marker wholly before `*position` and the last `left` marker wholly before
// that. Markers are found on character boundaries, ignoring the case of
// ASCII letters; `expand_quotes` applies ExpandQuotes to both markers first.
//
// `*position` is a 1-based byte position, below 1 meaning the whole text
// (forward: the start; reverse: the end). When both markers are found it is
// set to the first position after the right marker (forward) or to the left
// marker's position (reverse), which is always a character boundary; a
// position passed in is taken to be one. Calling again with it walks through
// repeated items until "" comes back, and always moves on.
//
// The cut starts `left_shift` bytes after the left marker and ends
// `right_shift` bytes before the right marker (negative shifts widen it). It
// is clipped at the end of the text; a start outside the text or an empty cut
// gives "", as does a missing or empty marker.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right,
                        int left_shift = 0, int right_shift = 0, long long* position = nullptr,
                        bool reverse = false, bool expand_quotes = false);

// Marker texts hold two single quotes where the service's text has one
// double quote: every "''" becomes '"', left to right.
std::string ExpandQuotes(std::string_view text);

}  // namespace pelrine

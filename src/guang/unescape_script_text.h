// Decoding of the escapes in service texts that are written for scripts.
#pragma once

#include <string>
#include <string_view>

namespace pelrine {

// Decodes `text` as the body of a single-quoted script string literal and
// then as the argument of the script function unescape, without running any
// script:
// - literal escapes: \b \f \n \r \t \v, \xHH, legacy octal \0 to \377, and a
//   backslash before any other character gives that character;
// - then %uHHHH gives that UTF-16 unit and %HH that character; any other "%"
//   stays as it is.
// Before decoding, every \u becomes %u, so \uHHHH gives its character and a
// \u with fewer than four hexadecimal digits stays in the text as %u.
// CR LF pairs come through unchanged; a text that starts with a lone CR loses
// all its lone CRs. Apostrophes and right single quotation marks all come out
// as apostrophes. Characters GBK cannot hold become "?".
//
// A text that a script could not take as a string gives "": one with a line
// feed or carriage return outside a CR LF pair (escaped or not), or one that
// ends in an unpaired backslash. Any other broken escape keeps its text
// (\x4 gives "x4").
std::string UnescapeScriptText(std::string_view text);

}  // namespace pelrine

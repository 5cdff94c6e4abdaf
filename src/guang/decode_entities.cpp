#include "guang/decode_entities.h"

#include "net/multi_replace.h"

namespace pelrine {
namespace {

constexpr std::string_view kNames =
    "&ndash;|&mdash;|&ldquo;|&rdquo;|&nbsp;|&lt;|&gt;|&quot;|&times;|&divide;|"
    "&middot;|&hellip;|&lsquo;|&rsquo;|&permil;|&prime;|&Prime;|&larr;|&uarr;|&rarr;|"
    "&darr;|&radic;|&prop;|&infin;|&ang;|&and;|&or;|&cap;|&cup;|&int;|"
    "&there4;|&sim;|&asymp;|&ne;|&equiv;|&le;|&ge;|&oplus;|&perp;|&amp;";

// The GBK bytes of each entity's character, at the same places; written as
// bytes so that they do not depend on the compiler's GBK table.
constexpr std::string_view kCharacters =
    "\xA8\x43|\xA1\xAA|\xA1\xB0|\xA1\xB1| |<|>|\"|\xA1\xC1|\xA1\xC2|"
    "\xA1\xA4|\xA1\xAD|\xA1\xAE|\xA1\xAF|\xA1\xEB|\xA1\xE4|\xA1\xE5|\xA1\xFB|\xA1\xFC|\xA1\xFA|"
    "\xA1\xFD|\xA1\xCC|\xA1\xD8|\xA1\xDE|\xA1\xCF|\xA1\xC4|\xA1\xC5|\xA1\xC9|\xA1\xC8|\xA1\xD2|"
    "\xA1\xE0|\xA1\xAB|\xA1\xD6|\xA1\xD9|\xA1\xD4|\xA1\xDC|\xA1\xDD|\xA8\x92|\xA1\xCD|&";

}  // namespace

std::string DecodeEntities(std::string_view text) {
  return MultiReplace(text, kNames, kCharacters, true);
}

}  // namespace pelrine

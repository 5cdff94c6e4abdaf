// Byte-level codecs of the simulator: form and query decoding, the charset
// conversions its pages need, MD5. Deliberately independent of the program's
// own code, so that the simulator checks the program rather than itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace guang_sim {

struct Param {
  std::string name, value;
};
using Params = std::vector<Param>;

// Standard form decoding: "+" is a space, "%" and two hexadecimal digits a
// byte; any other "%" stays as it is.
std::string FormDecode(std::string_view text);

// The pairs of a form body or query text: pieces between "&", each split at
// its first "="; names and values decoded. Empty pieces are skipped.
Params ParseForm(std::string_view text);

// Value of the first pair named `name`, or "".
std::string ParamValue(const Params& params, std::string_view name);
bool HasParam(const Params& params, std::string_view name);

// Every byte but ASCII letters and digits as "%" and two upper-case digits.
std::string PercentEncode(std::string_view bytes);

// "&", "<", ">" and the double quote as entities.
std::string MarkupEscape(std::string_view text);

// GBK text as UTF-8 and as UTF-16 code units; invalid bytes are skipped.
std::string GbkToUtf8(std::string_view gbk);
std::u16string GbkToUtf16(std::string_view gbk);

// The MD5 digest of `bytes` as 32 upper-case hexadecimal digits.
std::string Md5Hex(std::string_view bytes);

// Text for a script string: double quote and slash behind a backslash, CR
// and LF as \r and \n, and, with `escape_unicode`, every non-ASCII character
// of the GBK text as \u and four hexadecimal digits.
std::string ScriptString(std::string_view gbk, bool escape_unicode);

}  // namespace guang_sim

#include <iconv.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

#include "net/code_page_tables_posix.h"
#include "net/code_pages.h"
#include "net/gbk_text.h"

// The system's conversions rebuilt: iconv's tables plus the mappings the
// system adds to them, applied with the system's rules for broken input.
// Internally text is UTF-16, as on the system.

namespace pelrine {
namespace {

namespace tables = code_page_tables;

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// A converter to wchar_t; null when iconv lacks the code page.
IconvHandle OpenDecoder(const char* code_page) {
  const iconv_t cd = iconv_open("WCHAR_T", code_page);
  return IconvHandle(cd == iconv_t(-1) ? nullptr : cd);
}

// The one BMP character that iconv decodes `bytes` to; 0 when they are not
// exactly one such character.
char16_t DecodeOne(iconv_t cd, std::string_view bytes) {
  wchar_t out[2];
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char* out_at = reinterpret_cast<char*>(out);
  size_t out_left = sizeof out;
  if (iconv(cd, &in, &in_left, &out_at, &out_left) == static_cast<size_t>(-1) || in_left != 0 ||
      out_left != sizeof out - sizeof *out || out[0] > 0xFFFF)
    return 0;
  return static_cast<char16_t>(out[0]);
}

// The character of each code of a double-byte code page: a single byte at its
// value, a pair at lead << 8 | trail; 0 where the code page has none.
using CharacterTable = std::vector<char16_t>;

CharacterTable BuildCharacterTable(const char* iconv_name,
                                   std::span<const tables::CodeRun> extra_codes) {
  CharacterTable characters(0x10000);
  if (const IconvHandle cd = OpenDecoder(iconv_name)) {
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
      const char single = static_cast<char>(byte);
      characters[byte] = DecodeOne(cd.get(), {&single, 1});
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
      for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        characters[lead << 8 | trail] = DecodeOne(cd.get(), {pair, 2});
      }
  }
  for (const tables::CodeRun& run : extra_codes)
    for (unsigned i = 0; i < run.count; ++i)
      characters[run.code + i] = static_cast<char16_t>(run.character + i);
  return characters;
}

const CharacterTable& GbkCharacters() {
  static const CharacterTable table = BuildCharacterTable("CP936", tables::kGbkExtraCodes);
  return table;
}

const CharacterTable& Big5Characters() {
  static const CharacterTable table = BuildCharacterTable("BIG5", tables::kBig5ExtraCodes);
  return table;
}

// The GBK code of each character (as in CodeRun); 0 where GBK has none.
const std::vector<uint16_t>& GbkCodes() {
  static const std::vector<uint16_t> codes = [] {
    std::vector<uint16_t> table(0x10000);
    const CharacterTable& characters = GbkCharacters();
    for (unsigned code = 0x80; code <= 0xFFFF; ++code)
      if (characters[code] != 0) table[characters[code]] = static_cast<uint16_t>(code);
    for (const tables::BestFit& fit : tables::kGbkBestFit) table[fit.character] = fit.code;
    return table;
  }();
  return codes;
}

// A lead byte (the same range in GBK and Big5) takes the byte after it unless
// that is zero or missing; an unmapped code becomes "?".
std::u16string DoubleByteToUtf16(const CharacterTable& characters, std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char byte = Byte(bytes[at++]);
    if (byte < 0x80) {
      text += static_cast<char16_t>(byte);
      continue;
    }
    unsigned code = byte;
    if (IsGbkLeadByte(byte) && at < bytes.size() && bytes[at] != '\0')
      code = byte << 8 | Byte(bytes[at++]);
    text += characters[code] != 0 ? characters[code] : u'?';
  }
  return text;
}

void AppendCode(std::string& gbk, unsigned code) {
  if (code > 0xFF) gbk += static_cast<char>(code >> 8);
  gbk += static_cast<char>(code);
}

uint16_t ComposedCode(char16_t base, char16_t mark) {
  if (!(mark >= 0x0300 && mark < 0x0370) && mark != 0x3099 && mark != 0x309A) return 0;
  for (const tables::Composition& composition : tables::kGbkCompositions)
    if (composition.base == base && composition.mark == mark) return composition.code;
  return 0;
}

// `missing` stands for a character GBK has no code for; with `compose`, a
// letter and the combining mark after it become one accented letter where
// GBK has it.
std::string Utf16ToGbk(std::u16string_view text, bool compose, char missing) {
  const std::vector<uint16_t>& codes = GbkCodes();
  std::string gbk;
  gbk.reserve(text.size() * 2);
  for (size_t at = 0; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (compose && at + 1 < text.size()) {
      if (const uint16_t code = ComposedCode(c, text[at + 1])) {
        AppendCode(gbk, code);
        ++at;
        continue;
      }
    }
    if (c < 0x80)
      gbk += static_cast<char>(c);
    else if (codes[c] != 0)
      AppendCode(gbk, codes[c]);
    else
      gbk += missing;
  }
  return gbk;
}

// Continuation bytes a UTF-8 lead byte asks for; 0 for a byte that starts no
// sequence (a continuation byte, 0xC0, 0xC1, 0xF5-0xFF).
size_t Utf8TrailCount(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// After the first continuation byte the value so far already tells an
// overlong form, a surrogate or a value beyond U+10FFFF.
bool PlausibleStart(size_t trail_count, uint32_t value) {
  if (trail_count == 2) return value >= 0x20 && !(value >= 0x360 && value < 0x380);
  if (trail_count == 3) return value >= 0x10 && value < 0x110;
  return true;
}

// The value of the sequence `lead` starts, reading its continuation bytes
// from `at` on; nullopt when it is broken, with `at` after the bytes read so
// far (the continuation byte that made the value impossible included).
std::optional<uint32_t> ReadUtf8Sequence(unsigned char lead, std::string_view bytes, size_t& at) {
  const size_t trail_count = Utf8TrailCount(lead);
  if (trail_count == 0) return std::nullopt;
  uint32_t value = lead & (0x7F >> (trail_count + 1));
  for (size_t read = 0; read < trail_count; ++read) {
    const unsigned char next = Byte(bytes[at]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = value << 6 | (next & 0x3F);
    ++at;
    if (read == 0 && !PlausibleStart(trail_count, value)) return std::nullopt;
  }
  return value;
}

// A broken sequence becomes one U+FFFD; a sequence longer than the rest of
// the input takes all of it.
std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char lead = Byte(bytes[at++]);
    if (lead < 0x80) {
      text += static_cast<char16_t>(lead);
      continue;
    }
    if (Utf8TrailCount(lead) > bytes.size() - at) {
      text += u'\uFFFD';
      break;
    }
    const std::optional<uint32_t> value = ReadUtf8Sequence(lead, bytes, at);
    if (!value) {
      text += u'\uFFFD';
    } else if (*value > 0xFFFF) {
      text += static_cast<char16_t>(0xD800 | (*value - 0x10000) >> 10);
      text += static_cast<char16_t>(0xDC00 | (*value & 0x3FF));
    } else {
      text += static_cast<char16_t>(*value);
    }
  }
  return text;
}

// GBK decodes to BMP characters only, never to surrogates.
std::string Utf16ToUtf8(std::u16string_view text) {
  std::string utf8;
  utf8.reserve(text.size() * 3);
  for (const char16_t c : text) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | c >> 6);
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | c >> 12);
      utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

void CutAtZero(std::string& text) { text.resize(TextBeforeZero(text).size()); }

std::string UnifyCompatibilityIdeographs(std::string gbk) {
  for (size_t at = 0; at < gbk.size(); at += GbkCharLength(gbk, at)) {
    if (GbkCharLength(gbk, at) != 2) continue;
    const unsigned code = Byte(gbk[at]) << 8 | Byte(gbk[at + 1]);
    for (const tables::Unified& pair : tables::kGbkUnifiedIdeographs)
      if (pair.compatibility == code) {
        gbk[at] = static_cast<char>(pair.unified >> 8);
        gbk[at + 1] = static_cast<char>(pair.unified);
      }
  }
  return gbk;
}

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
  const std::u16string text = DoubleByteToUtf16(GbkCharacters(), gbk);
  return std::wstring(text.begin(), text.end());
}

std::string WideToGbk(std::wstring_view wide) {
  std::u16string text;
  text.reserve(wide.size());
  for (const wchar_t c : wide) {
    const auto value = static_cast<uint32_t>(c);
    if (value > 0xFFFF) {
      text += static_cast<char16_t>(0xD800 | ((value - 0x10000) >> 10 & 0x3FF));
      text += static_cast<char16_t>(0xDC00 | (value & 0x3FF));
    } else {
      text += static_cast<char16_t>(value);
    }
  }
  return Utf16ToGbk(text, false, '?');
}

std::string GbkToUtf8(std::string_view gbk) {
  return Utf16ToUtf8(DoubleByteToUtf16(GbkCharacters(), TextBeforeZero(gbk)));
}

std::string Utf8ToGbk(std::string_view utf8, bool compose) {
  std::string gbk = Utf16ToGbk(Utf8ToUtf16(utf8), compose, '?');
  CutAtZero(gbk);
  return gbk;
}

std::string Big5ToSimplifiedGbk(std::string_view big5) {
  std::string gbk =
      Utf16ToGbk(DoubleByteToUtf16(Big5Characters(), TextBeforeZero(big5)), false, '\0');
  CutAtZero(gbk);
  return UnifyCompatibilityIdeographs(std::move(gbk));
}

}  // namespace pelrine

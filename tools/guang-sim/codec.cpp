#include "codec.h"

#include <iconv.h>
#include <openssl/evp.h>

#include <cerrno>
#include <memory>

#include "net/gbk_text.h"

namespace guang_sim {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `bytes` converted with iconv; characters it cannot convert are skipped.
std::string Convert(const char* to, const char* from, std::string_view bytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::unique_ptr<void, int (*)(iconv_t)> owner(cd, iconv_close);
  std::string out;
  std::string in(bytes);
  char* in_ptr = in.data();
  size_t in_left = in.size();
  char buffer[4096];
  while (in_left > 0) {
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    size_t done = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    out.append(buffer, out_ptr);
    if (done == static_cast<size_t>(-1) && errno != E2BIG) {
      ++in_ptr;  // an invalid or truncated sequence: skip its first byte
      --in_left;
    }
  }
  return out;
}

}  // namespace

std::string FormDecode(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

Params ParseForm(std::string_view text) {
  Params params;
  while (!text.empty()) {
    size_t end = text.find('&');
    std::string_view piece = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (piece.empty()) continue;
    size_t equals = piece.find('=');
    params.push_back(
        {FormDecode(piece.substr(0, equals)),
         equals == std::string_view::npos ? "" : FormDecode(piece.substr(equals + 1))});
  }
  return params;
}

std::string ParamValue(const Params& params, std::string_view name) {
  for (const Param& p : params)
    if (p.name == name) return p.value;
  return {};
}

bool HasParam(const Params& params, std::string_view name) {
  for (const Param& p : params)
    if (p.name == name) return true;
  return false;
}

std::string PercentEncode(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char byte : bytes) {
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= 'a' && byte <= 'z')) {
      out += static_cast<char>(byte);
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::string MarkupEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string GbkToUtf8(std::string_view gbk) { return Convert("UTF-8", "GBK", gbk); }

std::u16string GbkToUtf16(std::string_view gbk) {
  std::string bytes = Convert("UTF-16LE", "GBK", gbk);
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  return units;
}

std::string Md5Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned int i = 0; i < length; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 15];
  }
  return out;
}

std::string ScriptString(std::string_view gbk, bool escape_unicode) {
  auto ascii = [](std::string& out, char c) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '/':
        out += "\\/";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  };
  std::string out;
  if (escape_unicode) {
    static const char kHex[] = "0123456789abcdef";
    for (char16_t unit : GbkToUtf16(gbk)) {
      if (unit < 0x80) {
        ascii(out, static_cast<char>(unit));
      } else {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 15];
      }
    }
    return out;
  }
  for (size_t i = 0; i < gbk.size();) {
    size_t length = pelrine::GbkCharLength(gbk, i);
    if (length == 1)
      ascii(out, gbk[i]);
    else
      out.append(gbk.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace guang_sim

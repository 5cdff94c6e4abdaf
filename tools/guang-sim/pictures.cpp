#include "pictures.h"

#include <array>

#include "rng.h"

namespace guang_sim {
namespace {

constexpr int kSide = 64, kBlock = 8, kBlocks = kSide / kBlock;

struct Rgb {
  unsigned char r, g, b;
};

// The colour of the square at (x, y): a checkerboard of two colours.
Rgb SquareColour(uint64_t key, int x, int y) {
  Rng rng(key);
  const Rgb first{static_cast<unsigned char>(rng.Below(256)),
                  static_cast<unsigned char>(rng.Below(256)),
                  static_cast<unsigned char>(rng.Below(256))};
  const Rgb second{static_cast<unsigned char>(255 - first.r),
                   static_cast<unsigned char>(255 - first.g),
                   static_cast<unsigned char>(255 - first.b)};
  return (x + y) % 2 ? second : first;
}

void PutBigEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// Entropy-coded bits with the JPEG byte stuffing.
class BitWriter {
 public:
  void Put(uint32_t bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      byte_ = static_cast<unsigned char>(byte_ << 1 | (bits >> i & 1));
      if (++filled_ == 8) Flush();
    }
  }
  std::string Finish() {
    while (filled_ != 0) Put(1, 1);
    return std::move(out_);
  }

 private:
  void Flush() {
    out_ += static_cast<char>(byte_);
    if (byte_ == 0xFF) out_ += '\0';
    byte_ = 0;
    filled_ = 0;
  }
  std::string out_;
  unsigned char byte_ = 0;
  int filled_ = 0;
};

// The DC code lengths of the usual luminance table: categories 0 to 11.
constexpr std::array<unsigned char, 16> kDcCounts = {0, 1, 5, 1, 1, 1, 1, 1,
                                                     1, 0, 0, 0, 0, 0, 0, 0};
constexpr int kQuantiser =
    8;  // every coefficient's step; the DC of a square is then its level - 128

void PutDc(BitWriter& bits, int diff) {
  int magnitude = diff < 0 ? -diff : diff, category = 0;
  while (magnitude >> category) ++category;
  // Canonical codes from the counts: categories are numbered in code order.
  uint32_t code = 0;
  int symbol = 0;
  for (int length = 1; length <= 16; ++length, code <<= 1) {
    for (int i = 0; i < kDcCounts[length - 1]; ++i, ++code, ++symbol) {
      if (symbol == category) {
        bits.Put(code, length);
        if (category > 0)
          bits.Put(static_cast<uint32_t>(diff < 0 ? diff + (1 << category) - 1 : diff), category);
        bits.Put(0, 1);  // end of block: the AC table's one code
        return;
      }
    }
  }
}

void PutSegment(std::string& out, unsigned char marker, const std::string& payload) {
  out += '\xFF';
  out += static_cast<char>(marker);
  PutBigEndian(out, static_cast<uint32_t>(payload.size() + 2), 2);
  out += payload;
}

uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

void PutChunk(std::string& out, std::string_view type, const std::string& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()), 4);
  std::string typed = std::string(type) + data;
  out += typed;
  PutBigEndian(out, Crc32(typed), 4);
}

}  // namespace

std::string JpegPicture(uint64_t key) {
  std::string out = "\xFF\xD8";
  PutSegment(out, 0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));
  PutSegment(out, 0xDB, std::string(1, '\0') + std::string(64, static_cast<char>(kQuantiser)));
  PutSegment(out, 0xC0, std::string("\x08\0\x40\0\x40\x03\x01\x11\0\x02\x11\0\x03\x11\0", 15));
  std::string tables(1, '\x00');  // DC table 0
  for (unsigned char count : kDcCounts) tables += static_cast<char>(count);
  for (int symbol = 0; symbol < 12; ++symbol) tables += static_cast<char>(symbol);
  tables += '\x10';  // AC table 0: the end-of-block symbol alone, code "0"
  tables += '\x01';
  tables += std::string(15, '\0');
  tables += '\0';
  PutSegment(out, 0xC4, tables);
  PutSegment(out, 0xDA, std::string("\x03\x01\0\x02\0\x03\0\0\x3F\0", 10));

  BitWriter bits;
  int previous[3] = {0, 0, 0};
  for (int y = 0; y < kBlocks; ++y) {
    for (int x = 0; x < kBlocks; ++x) {
      const Rgb c = SquareColour(key, x, y);
      const double levels[3] = {0.299 * c.r + 0.587 * c.g + 0.114 * c.b,
                                -0.1687 * c.r - 0.3313 * c.g + 0.5 * c.b + 128,
                                0.5 * c.r - 0.4187 * c.g - 0.0813 * c.b + 128};
      for (int component = 0; component < 3; ++component) {
        const int dc =
            static_cast<int>(levels[component] + 0.5) - 128;  // 8 (level - 128) / kQuantiser
        PutDc(bits, dc - previous[component]);
        previous[component] = dc;
      }
    }
  }
  out += bits.Finish();
  out += "\xFF\xD9";
  return out;
}

std::string PngPicture(uint64_t key) {
  std::string rows;
  for (int y = 0; y < kSide; ++y) {
    rows += '\0';  // filter: none
    for (int x = 0; x < kSide; ++x) {
      const Rgb c = SquareColour(key, x / kBlock, y / kBlock);
      rows += static_cast<char>(c.r);
      rows += static_cast<char>(c.g);
      rows += static_cast<char>(c.b);
    }
  }
  // A zlib stream of one stored deflate block.
  std::string zlib = "\x78\x01\x01";
  zlib += static_cast<char>(rows.size() & 0xFF);
  zlib += static_cast<char>(rows.size() >> 8);
  zlib += static_cast<char>(~rows.size() & 0xFF);
  zlib += static_cast<char>(~rows.size() >> 8 & 0xFF);
  zlib += rows;
  uint32_t a = 1, b = 0;
  for (unsigned char byte : rows) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(zlib, b << 16 | a, 4);

  std::string out = "\x89PNG\r\n\x1A\n";
  std::string header;
  PutBigEndian(header, kSide, 4);
  PutBigEndian(header, kSide, 4);
  header += std::string("\x08\x02\0\0\0", 5);  // 8 bits, RGB, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", "");
  return out;
}

Answer Picture(uint64_t seed, const SimRequest& request) {
  const uint64_t key = Mix(seed, request.path);
  if (request.path.find(".png") != std::string::npos)
    return {200, "image/png", PngPicture(key), ""};
  return {200, "image/jpeg", JpegPicture(key), ""};
}

}  // namespace guang_sim

#include "pictures.h"

#include <gtest/gtest.h>

namespace guang_sim {
namespace {

uint32_t BigEndian(const std::string& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

// Walks the segments up to the scan, which must run to the end marker
// without any marker but stuffed 0xFF bytes.
TEST(JpegPicture, IsAWellFormedBaselineJpeg) {
  for (uint64_t key : {1ULL, 2ULL, 0xFFFFFFFFULL}) {
    const std::string jpeg = JpegPicture(key);
    ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    size_t at = 2;
    std::string markers;
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
      const unsigned char marker = static_cast<unsigned char>(jpeg[at + 1]);
      markers += static_cast<char>(marker);
      const size_t length = BigEndian(jpeg, at + 2, 2);
      if (marker == 0xC0) {
        EXPECT_EQ(BigEndian(jpeg, at + 5, 2), 64u);  // height
        EXPECT_EQ(BigEndian(jpeg, at + 7, 2), 64u);  // width
      }
      at += 2 + length;
      if (marker == 0xDA) break;
    }
    EXPECT_EQ(markers, "\xE0\xDB\xC0\xC4\xDA");
    ASSERT_GE(jpeg.size(), at + 2);
    for (size_t i = at; i + 2 < jpeg.size(); ++i)
      if (static_cast<unsigned char>(jpeg[i]) == 0xFF) {
        EXPECT_EQ(jpeg[i + 1], '\0') << "at " << i;
        ++i;
      }
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  }
  EXPECT_NE(JpegPicture(1), JpegPicture(2));
}

TEST(PngPicture, ChunksCarryTheirChecksums) {
  const std::string png = PngPicture(7);
  ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
  std::string types;
  for (size_t at = 8; at + 12 <= png.size();) {
    const size_t length = BigEndian(png, at, 4);
    ASSERT_LE(at + 12 + length, png.size());
    const std::string typed = png.substr(at + 4, 4 + length);
    EXPECT_EQ(BigEndian(png, at + 8 + length, 4), Crc32(typed)) << typed.substr(0, 4);
    types += typed.substr(0, 4) + " ";
    if (typed.starts_with("IHDR")) {
      EXPECT_EQ(BigEndian(typed, 4, 4), 64u);
      EXPECT_EQ(BigEndian(typed, 8, 4), 64u);
    }
    if (typed.starts_with("IDAT")) {
      // one stored block of 64 rows of a filter byte and 64 RGB pixels
      const std::string zlib = typed.substr(4);
      EXPECT_EQ(BigEndian(zlib, 0, 2) % 31, 0u);
      EXPECT_EQ(static_cast<unsigned char>(zlib[3]) | static_cast<unsigned char>(zlib[4]) << 8,
                64 * 193);
    }
    at += 12 + length;
  }
  EXPECT_EQ(types, "IHDR IDAT IEND ");
}

TEST(Picture, FollowsTheNameAndStaysTheSame) {
  auto picture = [](const std::string& path) {
    return Picture(1, {"GET", path, "sim.test", {}, {}});
  };
  EXPECT_EQ(picture("/pic/a.png").content_type, "image/png");
  for (const std::string path : {"/pic/a.jpg", "/pic/a.jpg_310x310.jpg", "/pic/a", "/pic/a.gif"})
    EXPECT_EQ(picture(path).content_type, "image/jpeg") << path;
  EXPECT_EQ(picture("/pic/a.jpg").body, picture("/pic/a.jpg").body);
  EXPECT_NE(picture("/pic/a.jpg").body, picture("/pic/b.jpg").body);
}

}  // namespace
}  // namespace guang_sim

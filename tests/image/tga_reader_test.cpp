#include "pdf/image/tga_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/image/gif_test_util.h"
#include "tests/image/raster_test_util.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A TGA file: the 18-byte header, an identification field, a colour map and the data.
Bytes Tga(std::uint8_t type, int width, int height, std::uint8_t depth, std::uint8_t descriptor,
          const Bytes& data, std::uint8_t id_length = 0, std::uint16_t map_entries = 0) {
  Bytes file(18, 0);
  const auto put16 = [&file](std::size_t at, int value) {
    file[at] = static_cast<std::uint8_t>(value);
    file[at + 1] = static_cast<std::uint8_t>(value >> 8);
  };
  file[0] = id_length;
  file[1] = map_entries != 0;
  file[2] = type;
  put16(5, map_entries);
  file[7] = 24;  // bits per colour-map entry
  put16(12, width);
  put16(14, height);
  file[16] = depth;
  file[17] = descriptor;
  file.resize(file.size() + id_length + 3u * map_entries, 0xEE);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

TEST(TgaReaderTest, DecodesEachPixelLayout) {
  struct Case {
    const char* what;
    Bytes file;  // 2 × 2 pictures
    Bytes pixels;
    std::string color_space = "DeviceRGB";
  };
  const Bytes bgr = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const Bytes rgb = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
  const Case cases[] = {
      {"24 bits", Tga(2, 2, 2, 24, 0, bgr), rgb},
      {"top row first", Tga(2, 2, 2, 24, 0x20, bgr), {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}},
      {"identification field and colour map skipped", Tga(2, 2, 2, 24, 0, bgr, 5, 2), rgb},
      {"32 bits, alpha dropped",
       Tga(2, 2, 2, 32, 8, {1, 2, 3, 9, 4, 5, 6, 9, 7, 8, 9, 9, 10, 11, 12, 9}), rgb},
      {"16 bits: 7FFF is 248 grey, attribute bit ignored",
       Tga(2, 2, 2, 16, 1, {0xFF, 0x7F, 0x00, 0xFC, 0xE0, 0x03, 0x1F, 0x80}),
       {248, 248, 248, 248, 0, 0, 0, 248, 0, 0, 0, 248}},
      {"grey", Tga(3, 2, 2, 8, 0, {1, 2, 3, 4}), {1, 2, 3, 4}, "DeviceGray"},
      {"grey run-length, packets across rows",
       Tga(11, 2, 2, 8, 0, {0x82, 7, 0x00, 9}),
       {7, 7, 7, 9},
       "DeviceGray"},
      {"run-length 24 bits, data cut short",
       Tga(10, 2, 2, 24, 0, {0x00, 1, 2, 3, 0x01, 4, 5}),
       {3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RasterReadResult result = ReadTgaImage(c.file);
    ASSERT_EQ(result.status, PictureStatus::kOk);
    EXPECT_EQ(result.image.width, 2);
    EXPECT_EQ(result.image.height, 2);
    EXPECT_EQ(result.image.bits, 8);
    EXPECT_EQ(result.image.color_space, c.color_space);
    EXPECT_EQ(result.image.pixels, c.pixels);
    EXPECT_TRUE(result.image.mask.empty());
  }
}

// Packet header 128 writes one pixel, 255 writes 128.
TEST(TgaReaderTest, RunPacketCounts) {
  const RasterReadResult result = ReadTgaImage(Tga(11, 130, 1, 8, 0, {128, 5, 255, 6, 0x00, 7}));
  ASSERT_EQ(result.status, PictureStatus::kOk);
  Bytes expected(130, 6);
  expected.front() = 5;
  expected.back() = 7;
  EXPECT_EQ(result.image.pixels, expected);
}

TEST(TgaReaderTest, KeysTheLastFullyTransparentColour) {
  const Bytes data = {0, 0, 255, 0, 1, 2, 3, 0, 4, 5, 6, 255};
  EXPECT_EQ(ReadTgaImage(Tga(2, 3, 1, 32, 8, data)).image.mask, "3 3 2 2 1 1 ");
  const RasterReadResult run =
      ReadTgaImage(Tga(10, 3, 1, 32, 8, {0x81, 9, 8, 7, 0, 0x00, 1, 1, 1, 1}));
  EXPECT_EQ(run.image.mask, "7 7 8 8 9 9 ");
  // Without alpha bits the fourth byte means nothing.
  EXPECT_EQ(ReadTgaImage(Tga(2, 3, 1, 32, 0, data)).image.mask, "");
}

TEST(TgaReaderTest, RefusesWhatItCannotDecode) {
  const Bytes pixel = {1, 2, 3};
  Bytes map_past_end = Tga(2, 1, 1, 24, 0, pixel);
  map_past_end[1] = 1;  // a colour map of 2 entries, 6 bytes, is said to come first
  map_past_end[5] = 2;
  struct Case {
    const char* what;
    Bytes file;
    PictureStatus status;
  };
  const Case cases[] = {
      {"colour-mapped", Tga(1, 1, 1, 8, 0, {0}, 0, 1), PictureStatus::kBadFormat},
      {"type 0", Tga(0, 1, 1, 24, 0, pixel), PictureStatus::kBadFormat},
      {"8-bit true colour", Tga(2, 1, 1, 8, 0, pixel), PictureStatus::kBadFormat},
      {"16-bit grey", Tga(3, 1, 1, 16, 0, pixel), PictureStatus::kBadFormat},
      {"4 alpha bits at 32", Tga(2, 1, 1, 32, 4, {1, 2, 3, 4}), PictureStatus::kBadFormat},
      {"right to left", Tga(2, 1, 1, 24, 0x10, pixel), PictureStatus::kBadFormat},
      {"interleaved", Tga(2, 1, 1, 24, 0x40, pixel), PictureStatus::kBadFormat},
      {"zero width", Tga(2, 0, 1, 24, 0, pixel), PictureStatus::kBadFormat},
      {"zero height", Tga(2, 1, 0, 24, 0, pixel), PictureStatus::kBadFormat},
      {"short header", Bytes(17, 0), PictureStatus::kTruncated},
      {"no pixel data", Tga(2, 1, 1, 24, 0, {}), PictureStatus::kTruncated},
      {"colour map past the end", map_past_end, PictureStatus::kTruncated},
      {"over the pixel limit", Tga(2, 65535, 65535, 24, 0, pixel), PictureStatus::kTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadTgaImage(c.file).status, c.status);
  }
}

// The real 32-bit files key the colour of a pixel ImageMagick finds fully transparent.
TEST(TgaReaderTest, SampleColourKeyIsATransparentPixel) {
  for (const char* name :
       {"tga/gtk-logo-32bpp-bottom-left.tga", "tga/gtk-logo-rle-32bpp-bottom-left.tga"}) {
    SCOPED_TRACE(name);
    const RasterReadResult result = ReadTgaImage(testing::ReadBytes(testing::TestData(name)));
    ASSERT_EQ(result.status, PictureStatus::kOk);
    int r = 0, g = 0, b = 0;
    ASSERT_EQ(std::sscanf(result.image.mask.c_str(), "%d %d %d %d %d %d ", &r, &r, &g, &g, &b, &b),
              6);
    const auto found = testing::RunCommand(
        std::string(testing::kImageMagick) + " " +
        testing::ShellQuote(testing::TestData(name).string()) + " -depth 8 txt:- | grep -c ': (" +
        std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b) + ",0) '");
    EXPECT_GT(std::atoi(found.output.c_str()), 0) << result.image.mask;
  }
}

}  // namespace
}  // namespace pagora

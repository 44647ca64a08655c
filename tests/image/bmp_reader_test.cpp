#include "pdf/image/bmp_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// A bitmap file, built field by field.
struct BmpFile {
  std::uint32_t header_size = 40;
  std::int32_t width = 3;
  std::int32_t height = 2;
  int bits = 8;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> palette{};  // 0xRRGGBB
  std::uint32_t colors_used = 0;
  std::vector<std::uint32_t> masks{};  // after a 40-byte header, inside the longer ones
  Bytes data{};

  Bytes Build() const {
    Bytes header;
    PutU32(header, header_size);
    if (header_size == 12) {
      PutU16(header, static_cast<std::uint32_t>(width));
      PutU16(header, static_cast<std::uint32_t>(height));
      PutU16(header, 1);
      PutU16(header, static_cast<std::uint32_t>(bits));
    } else {
      for (const std::uint32_t field :
           {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
        PutU32(header, field);
      }
      PutU16(header, 1);
      PutU16(header, static_cast<std::uint32_t>(bits));
      for (const std::uint32_t field : {compression, 0u, 0u, 0u, colors_used, 0u}) {
        PutU32(header, field);
      }
      for (const std::uint32_t mask : masks) PutU32(header, mask);
      if (header.size() < header_size) header.resize(header_size, 0);
    }
    for (const std::uint32_t color : palette) {
      for (const int shift : {0, 8, 16})
        header.push_back(static_cast<std::uint8_t>(color >> shift));
      if (header_size != 12) header.push_back(0);
    }
    Bytes file = {'B', 'M'};
    PutU32(file, static_cast<std::uint32_t>(14 + header.size() + data.size()));
    PutU32(file, 0);
    PutU32(file, static_cast<std::uint32_t>(14 + header.size()));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
  }
};

// Every header size reads the same 3 × 2 picture; a negative height stores the top row first.
TEST(BmpReaderTest, ReadsEveryHeaderSizeAndRowOrder) {
  const Bytes bottom_row = {0, 1, 2, 0};
  const Bytes top_row = {2, 1, 0, 0};
  for (const std::uint32_t header_size : {12u, 40u, 52u, 56u, 108u, 124u}) {
    for (const bool top_down : {false, true}) {
      if (header_size == 12 && top_down) continue;  // its sizes are unsigned
      SCOPED_TRACE(std::to_string(header_size) + (top_down ? " top-down" : ""));
      BmpFile bmp{.header_size = header_size, .height = top_down ? -2 : 2};
      bmp.palette = {0xFF0000, 0x00FF00, 0x0000FF};
      bmp.colors_used = 3;
      bmp.data = top_down ? top_row : bottom_row;
      bmp.data.insert(bmp.data.end(), (top_down ? bottom_row : top_row).begin(),
                      (top_down ? bottom_row : top_row).end());
      const RasterReadResult result = ReadBmpImage(bmp.Build(), std::nullopt);
      ASSERT_EQ(result.status, PictureStatus::kOk);
      EXPECT_EQ(result.image.width, 3);
      EXPECT_EQ(result.image.height, 2);
      EXPECT_EQ(result.image.bits, 8);
      EXPECT_EQ(result.image.pixels, (Bytes{0, 1, 2, 2, 1, 0}));
      Bytes palette(3 * 256, 0);
      for (int i = 0; i < 3; ++i) palette[4 * i] = 255;  // red, green, blue on the diagonal
      EXPECT_EQ(result.image.palette, palette);
    }
  }
}

TEST(BmpReaderTest, WidensDirectColourPixels) {
  struct Case {
    const char* what;
    int bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    Bytes row;  // one stored row of 3 pixels, padding included
    Bytes rgb;
  };
  const Case cases[] = {
      {"5-5-5, top bit ignored",
       16,
       0,
       {},
       {0xFF, 0x7F, 0x00, 0x7C, 0x00, 0x80, 0, 0},
       {248, 248, 248, 248, 0, 0, 0, 0, 0}},
      {"5-6-5",
       16,
       3,
       {0xF800, 0x07E0, 0x001F},
       {0xFF, 0xFF, 0xE0, 0x07, 0x1F, 0x00, 0, 0},
       {248, 252, 248, 0, 252, 0, 0, 0, 248}},
      {"24 bits, 9-byte rows",
       24,
       0,
       {},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0},
       {3, 2, 1, 6, 5, 4, 9, 8, 7}},
      {"32 bits",
       32,
       0,
       {},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
       {3, 2, 1, 7, 6, 5, 11, 10, 9}},
      {"10-bit fields",
       32,
       3,
       {0x3FF00000, 0x000FFC00, 0x000003FF},
       {0xFF, 0x03, 0, 0, 0, 0xFC, 0x0F, 0, 0, 0, 0xF0, 0x3F},
       {0, 0, 255, 0, 255, 0, 255, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BmpFile bmp{.height = 1, .bits = c.bits, .compression = c.compression, .masks = c.masks};
    bmp.data = c.row;
    const RasterReadResult result = ReadBmpImage(bmp.Build(), std::nullopt);
    ASSERT_EQ(result.status, PictureStatus::kOk);
    EXPECT_EQ(result.image.bits, 8);
    EXPECT_TRUE(result.image.palette.empty());
    EXPECT_EQ(result.image.pixels, c.rgb);
  }
}

TEST(BmpReaderTest, MakesTheMaskOfTheTransparentColour) {
  struct Case {
    const char* what;
    int bits;
    std::vector<std::uint32_t> palette;
    std::optional<std::uint32_t> transparent;
    std::string mask;
  };
  const Case cases[] = {
      {"palette entry 5", 4, {0, 0, 0, 0, 0, 0x123456}, 0x123456, "5 5 "},
      {"the last equal entry", 4, {0, 0, 0x123456, 0, 0, 0x123456, 0}, 0x123456, "5 5 "},
      {"no equal entry", 4, {0, 0x111111}, 0x123456, ""},
      {"black filler entries are no match", 4, {0xFFFFFF}, 0x000000, ""},
      {"pure red, direct colour", 24, {}, 0xFF0000, "255 255 0 0 0 0 "},
      {"none given", 24, {}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BmpFile bmp{.width = 1, .height = 1, .bits = c.bits, .palette = c.palette};
    bmp.colors_used = static_cast<std::uint32_t>(c.palette.size());
    bmp.data = {0, 0, 0, 0};
    const RasterReadResult result = ReadBmpImage(bmp.Build(), c.transparent);
    ASSERT_EQ(result.status, PictureStatus::kOk);
    EXPECT_EQ(result.image.mask, c.mask);
  }
}

TEST(BmpReaderTest, DecodesRunLengthEscapes) {
  struct Case {
    const char* what;
    int bits;
    Bytes data;
    Bytes pixels;  // 6 × 3 (RLE8) or 5 × 2 (RLE4), bottom row first
  };
  const Case cases[] = {
      {"runs, literals, end of line, delta, end of picture",
       8,
       {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 2, 9, 0, 1, 5, 5},
       {7, 7, 7, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 0, 0}},
      {"runs clipped at the row's end, rows past the last ignored",
       8,
       {10, 4, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8},
       {4, 4, 4, 4, 4, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"data cut inside a literal",
       8,
       {0, 4, 1, 2},
       {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"RLE4: alternating nibbles, odd literal clipped, delta",
       4,
       {3, 0xAB, 0, 3, 0x12, 0x30, 0, 0, 0, 2, 1, 0, 2, 0xCD},
       {0xAB, 0xA1, 0x20, 0x0C, 0xD0, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BmpFile bmp{.width = c.bits == 8 ? 6 : 5, .height = c.bits == 8 ? 3 : 2, .bits = c.bits};
    bmp.compression = c.bits == 8 ? 1 : 2;
    bmp.palette = {0x000000};
    bmp.data = c.data;
    const RasterReadResult result = ReadBmpImage(bmp.Build(), std::nullopt);
    ASSERT_EQ(result.status, PictureStatus::kOk);
    EXPECT_EQ(result.image.pixels, c.pixels);
  }
}

TEST(BmpReaderTest, RefusesWhatItCannotDecode) {
  const Bytes good = BmpFile{.data = Bytes(8, 0)}.Build();
  Bytes not_bm = good;
  not_bm[0] = 'b';
  Bytes odd_header = good;
  odd_header[14] = 64;
  struct Case {
    const char* what;
    Bytes file;
    PictureStatus status;
  };
  const Case cases[] = {
      {"a short file read in full", good, PictureStatus::kOk},
      {"no BM", not_bm, PictureStatus::kNotThisFormat},
      {"empty", {}, PictureStatus::kNotThisFormat},
      {"a 64-byte header", odd_header, PictureStatus::kBadFormat},
      {"cut in the header", Bytes(good.begin(), good.begin() + 40), PictureStatus::kTruncated},
      {"no pixel data", Bytes(good.begin(), good.end() - 8), PictureStatus::kTruncated},
      {"JPEG compression", BmpFile{.compression = 4, .data = {0}}.Build(),
       PictureStatus::kBadFormat},
      {"RLE8 at 24 bits", BmpFile{.bits = 24, .compression = 1, .data = {0}}.Build(),
       PictureStatus::kBadFormat},
      {"3 bits", BmpFile{.bits = 3, .data = {0}}.Build(), PictureStatus::kBadFormat},
      {"zero width", BmpFile{.width = 0, .data = {0}}.Build(), PictureStatus::kBadFormat},
      {"negative width", BmpFile{.width = -3, .data = {0}}.Build(), PictureStatus::kBadFormat},
      {"zero height", BmpFile{.height = 0, .data = {0}}.Build(), PictureStatus::kBadFormat},
      {"over the pixel limit",
       BmpFile{.width = 1 << 30, .height = 1, .bits = 24, .data = {0}}.Build(),
       PictureStatus::kTooLarge},
      {"most negative height", BmpFile{.height = INT32_MIN, .data = {0}}.Build(),
       PictureStatus::kTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadBmpImage(c.file, std::nullopt).status, c.status);
  }
}

}  // namespace
}  // namespace pagora

#include "pdf/image/gif_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/image/gif_lzw.h"
#include "tests/image/gif_builder.h"
#include "tests/image/gif_test_util.h"

namespace pagora {
namespace {

using testing::GifBuilder;
using testing::GlobalColor;
using testing::IndexAt;
using testing::LocalColor;

using Bytes = std::vector<std::uint8_t>;

// A 3 × 2 picture, 2-bit global table, background 3, framed by two extensions.
Bytes SmallGif(std::string_view signature = "GIF89a") {
  const Bytes pixels = {0, 1, 2, 2, 1, 0};
  const Bytes comment = {'h', 'i'};
  return GifBuilder(3, 2, 2, 3, signature)
      .Extension(0xFE, comment)
      .LiteralImage(0, 0, 3, 2, pixels, 2)
      .Extension(0xFE, comment)
      .Finish();
}

// Every index of the picture, top row first.
std::vector<int> Indices(const GifPicture& picture) {
  std::vector<int> indices;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) indices.push_back(IndexAt(picture, x, y));
  }
  return indices;
}

TEST(GifReaderTest, DecodesAPictureWithItsPaletteAndMask) {
  const GifReadResult result = ReadGifImage(SmallGif(), 1);
  ASSERT_EQ(result.status, GifStatus::kOk);
  const GifPicture& picture = result.picture;
  EXPECT_EQ(picture.width, 3);
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(picture.bits, 2);
  EXPECT_EQ(Indices(picture), (std::vector<int>{0, 1, 2, 2, 1, 0}));
  // Bottom row first: 10 01 00 | 00 01 10.
  EXPECT_EQ(picture.pixels, (Bytes{0x90 | 0x3, 0x18 | 0x3}));
  ASSERT_EQ(picture.palette.size(), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(picture.palette[i], GlobalColor(i / 3, i % 3));
  EXPECT_EQ(picture.transparent_index, 3);
}

// Rows are packed most significant bits first and stored bottom row first.
TEST(GifReaderTest, PacksEachDepthBottomRowFirst) {
  struct Case {
    int table_bits;
    Bytes pixels;  // 5 × 2, top row first
    Bytes packed;  // bottom row first
  };
  const Case cases[] = {
      {1, {1, 0, 1, 1, 0, 0, 1, 0, 0, 1}, {0x48, 0xB0}},
      {2, {3, 0, 1, 2, 3, 0, 1, 2, 3, 0}, {0x1B, 0x00, 0xC6, 0xC0}},
      {4, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0x56, 0x78, 0x90, 0xF1, 0x23, 0x40}},
      {8, {200, 1, 2, 3, 4, 5, 6, 7, 8, 255}, {5, 6, 7, 8, 255, 200, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table_bits);
    const auto file = GifBuilder(5, 2, c.table_bits, 0)
                          .LiteralImage(0, 0, 5, 2, c.pixels, std::max(c.table_bits, 2))
                          .Finish();
    const GifReadResult result = ReadGifImage(file, 1);
    ASSERT_EQ(result.status, GifStatus::kOk);
    EXPECT_EQ(result.picture.bits, c.table_bits);
    EXPECT_EQ(result.picture.pixels, c.packed);
  }
}

TEST(GifReaderTest, WidensTablesToAnIndexedDepth) {
  const int widened[] = {0, 1, 2, 4, 4, 8, 8, 8, 8};
  for (int table_bits = 1; table_bits <= 8; ++table_bits) {
    SCOPED_TRACE(table_bits);
    const Bytes pixels = {static_cast<std::uint8_t>((1 << table_bits) - 1)};
    const auto file = GifBuilder(1, 1, table_bits).LiteralImage(0, 0, 1, 1, pixels, 8).Finish();
    const GifReadResult result = ReadGifImage(file, 1);
    ASSERT_EQ(result.status, GifStatus::kOk);
    const GifPicture& picture = result.picture;
    EXPECT_EQ(picture.bits, widened[table_bits]);
    ASSERT_EQ(picture.palette.size(), 3u << widened[table_bits]);
    const std::size_t read = 3u << table_bits;
    EXPECT_EQ(picture.palette[read - 1], GlobalColor((1 << table_bits) - 1, 2));
    for (std::size_t i = read; i < picture.palette.size(); ++i) EXPECT_EQ(picture.palette[i], 0);
    EXPECT_EQ(IndexAt(picture, 0, 0), (1 << table_bits) - 1);
  }
}

TEST(GifReaderTest, ComposesAnOffsetFrameOnTheScreen) {
  const Bytes pixels = {0, 1, 2, 3, 0, 1};
  // Background 5 on a 6 × 4 screen; the second frame hangs over the right and bottom edges.
  const auto file = GifBuilder(6, 4, 3, 5)
                        .LiteralImage(2, 1, 3, 2, pixels, 3)
                        .LiteralImage(4, 3, 3, 2, pixels, 3)
                        .Finish();
  const GifReadResult first = ReadGifImage(file, 1);
  ASSERT_EQ(first.status, GifStatus::kOk);
  EXPECT_EQ(Indices(first.picture), (std::vector<int>{5, 5, 5, 5, 5, 5,  //
                                                      5, 5, 0, 1, 2, 5,  //
                                                      5, 5, 3, 0, 1, 5,  //
                                                      5, 5, 5, 5, 5, 5}));
  const GifReadResult second = ReadGifImage(file, 2);
  ASSERT_EQ(second.status, GifStatus::kOk);
  EXPECT_EQ(Indices(second.picture), (std::vector<int>{5, 5, 5, 5, 5, 5,  //
                                                       5, 5, 5, 5, 5, 5,  //
                                                       5, 5, 5, 5, 5, 5,  //
                                                       5, 5, 5, 5, 0, 1}));
}

TEST(GifReaderTest, InterlacedRowsLandWhereThePlainOnesDo) {
  for (int height = 1; height <= 17; ++height) {
    SCOPED_TRACE(height);
    Bytes plain;
    for (int y = 0; y < height; ++y) plain.insert(plain.end(), {static_cast<std::uint8_t>(y), 0});
    Bytes interlaced;
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
      for (int y = start; y < height; y += step) {
        interlaced.insert(interlaced.end(), plain.begin() + 2 * y, plain.begin() + 2 * y + 2);
      }
    }
    const auto a = GifBuilder(2, height, 8).LiteralImage(0, 0, 2, height, plain, 8).Finish();
    const auto b =
        GifBuilder(2, height, 8).LiteralImage(0, 0, 2, height, interlaced, 8, 0, true).Finish();
    EXPECT_EQ(ReadGifImage(a, 1).picture.pixels, ReadGifImage(b, 1).picture.pixels);
  }
}

TEST(GifReaderTest, PicksTheFrameAndThePaletteCurrentAtIt) {
  const Bytes one = {1};
  const Bytes two = {2};
  const auto file = GifBuilder(1, 1, 2)
                        .LiteralImage(0, 0, 1, 1, one, 2)
                        .LiteralImage(0, 0, 1, 1, two, 4, 4)  // local 16-colour table
                        .LiteralImage(0, 0, 1, 1, one, 2)
                        .Finish();
  const GifReadResult second = ReadGifImage(file, 2);
  ASSERT_EQ(second.status, GifStatus::kOk);
  EXPECT_EQ(second.picture.bits, 4);
  EXPECT_EQ(second.picture.palette[6], LocalColor(2, 0));
  EXPECT_EQ(IndexAt(second.picture, 0, 0), 2);
  const GifReadResult third = ReadGifImage(file, 3);
  ASSERT_EQ(third.status, GifStatus::kOk);
  EXPECT_EQ(third.picture.bits, 2);
  EXPECT_EQ(third.picture.palette[3], GlobalColor(1, 0));
}

// Extensions are skipped whatever their label, even when their bytes look like blocks;
// stray bytes between blocks are passed over.
TEST(GifReaderTest, SkipsExtensionsAndStrayBytes) {
  const Bytes graphic_control = {0x01, 0, 0, 2};  // transparent index 2: not used
  const Bytes looks_like_blocks = {0x2C, 0x3B, 0x21, 0xFF, 0x2C};
  const Bytes stray = {0x00, 0x55, 0x3A};
  const Bytes pixels = {2, 1};
  const auto file = GifBuilder(2, 1, 2, 1)
                        .Raw(stray)
                        .Extension(0xF9, graphic_control)
                        .Extension(0x01, looks_like_blocks)
                        .Extension(0xFF, looks_like_blocks)
                        .Extension(0x99, looks_like_blocks)
                        .Extension(0xFE, {})
                        .Raw(stray)
                        .LiteralImage(0, 0, 2, 1, pixels, 2)
                        .Finish();
  const GifReadResult result = ReadGifImage(file, 1);
  ASSERT_EQ(result.status, GifStatus::kOk);
  EXPECT_EQ(Indices(result.picture), (std::vector<int>{2, 1}));
  EXPECT_EQ(result.picture.transparent_index, 1);
}

TEST(GifReaderTest, BackgroundIndexBeyondThePaletteMasksNothing) {
  const Bytes pixels = {1};
  const auto file = GifBuilder(2, 1, 1, 7).LiteralImage(1, 0, 1, 1, pixels, 2).Finish();
  const GifReadResult result = ReadGifImage(file, 1);
  ASSERT_EQ(result.status, GifStatus::kOk);
  EXPECT_FALSE(result.picture.transparent_index.has_value());
  EXPECT_EQ(Indices(result.picture), (std::vector<int>{0, 1}));
}

TEST(GifReaderTest, LocalTableAloneIsEnoughForItsFrame) {
  const Bytes pixels = {3};
  const auto file = GifBuilder(1, 1, 0)
                        .LiteralImage(0, 0, 1, 1, pixels, 2, 2)
                        .LiteralImage(0, 0, 1, 1, pixels, 2)
                        .Finish();
  EXPECT_EQ(ReadGifImage(file, 1).status, GifStatus::kOk);
  EXPECT_EQ(ReadGifImage(file, 1).picture.palette[9], LocalColor(3, 0));
  EXPECT_EQ(ReadGifImage(file, 2).status, GifStatus::kNoColorTable);
}

TEST(GifReaderTest, RefusesFilesItCannotMakeAPictureOf) {
  const Bytes pixel = {0};
  const Bytes lzw = testing::LiteralLzw(pixel, 2);
  const Bytes gif = SmallGif();
  struct Case {
    const char* name;
    Bytes file;
    int frame;
    GifStatus expected;
  };
  const Case cases[] = {
      {"empty", {}, 1, GifStatus::kNotGif},
      {"other version", Bytes{'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}, 1,
       GifStatus::kNotGif},
      {"no trailer", GifBuilder(1, 1, 1).Image(0, 0, 1, 1, lzw, 2).Finish(false), 1,
       GifStatus::kTruncated},
      {"frame 0", gif, 0, GifStatus::kFrameMissing},
      {"frame beyond the last", gif, 2, GifStatus::kFrameMissing},
      {"no colour table", GifBuilder(1, 1, 0).Image(0, 0, 1, 1, lzw, 2).Finish(), 1,
       GifStatus::kNoColorTable},
      {"zero width", GifBuilder(0, 1, 1).Image(0, 0, 1, 1, lzw, 2).Finish(), 1,
       GifStatus::kBadFormat},
      {"code size 0", GifBuilder(1, 1, 1).Image(0, 0, 1, 1, lzw, 0).Finish(), 1,
       GifStatus::kBadFormat},
      {"code size 12", GifBuilder(1, 1, 1).Image(0, 0, 1, 1, lzw, 12).Finish(), 1,
       GifStatus::kBadFormat},
      {"screen over 256 MiB", GifBuilder(65535, 4097, 8).Image(0, 0, 1, 1, lzw, 2).Finish(), 1,
       GifStatus::kTooLarge},
      {"frame over 256 MiB", GifBuilder(1, 1, 8).Image(0, 0, 65535, 4097, lzw, 2).Finish(), 1,
       GifStatus::kTooLarge},
      {"screen of 16000 x 16000", GifBuilder(16000, 16000, 1).Image(0, 0, 1, 1, lzw, 2).Finish(), 1,
       GifStatus::kTooLarge},
      {"screen one row past 64 megapixels",
       GifBuilder(8000, 8001, 1).Image(0, 0, 1, 1, lzw, 2).Finish(), 1, GifStatus::kTooLarge},
      {"frame of 16000 x 16000", GifBuilder(1, 1, 1).Image(0, 0, 16000, 16000, lzw, 2).Finish(), 1,
       GifStatus::kTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadGifImage(c.file, c.frame).status, c.expected);
  }
}

TEST(GifReaderTest, ASixtyFourMegapixelScreenIsStillRead) {
  const Bytes lzw = testing::LiteralLzw(Bytes{0}, 2);
  const auto largest = GifBuilder(8000, 8000, 1).Image(0, 0, 1, 1, lzw, 2).Finish();
  const GifReadResult result = ReadGifImage(largest, 1);
  ASSERT_EQ(result.status, GifStatus::kOk);
  EXPECT_EQ(result.picture.pixels.size(), 1000u * 8000);
}

TEST(GifReaderTest, LimitBoundsTheCanvasAndTheFrame) {
  const Bytes pixel = {0};
  const Bytes lzw = testing::LiteralLzw(pixel, 2);
  const auto at_limit = GifBuilder(10, 10, 8).Image(0, 0, 1, 1, lzw, 2).Finish();
  EXPECT_EQ(ReadGifImage(at_limit, 1, 100).status, GifStatus::kOk);
  EXPECT_EQ(ReadGifImage(at_limit, 1, 99).status, GifStatus::kTooLarge);
  // The frame is held at one byte per pixel, plus the decoder's slack.
  const auto big_frame = GifBuilder(1, 1, 1).Image(0, 0, 9, 9, lzw, 2).Finish();
  EXPECT_EQ(ReadGifImage(big_frame, 1, 81 + kGifLzwSlack).status, GifStatus::kOk);
  EXPECT_EQ(ReadGifImage(big_frame, 1, 80 + kGifLzwSlack).status, GifStatus::kTooLarge);
}

TEST(GifReaderTest, EveryCutOfAFileIsRefused) {
  for (const char* name : {"gif/apache-small-doc.gif", "gif/wx-throbber.gif"}) {
    const Bytes file = testing::ReadBytes(testing::TestData(name));
    ASSERT_FALSE(file.empty()) << name;
    for (std::size_t size = 0; size < file.size(); ++size) {
      const GifStatus status = ReadGifImage(std::span(file).first(size), 1).status;
      ASSERT_EQ(status, size < 6 ? GifStatus::kNotGif : GifStatus::kTruncated) << size;
    }
  }
}

}  // namespace
}  // namespace pagora

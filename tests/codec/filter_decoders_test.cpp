#include "pdf/codec/filter_decoders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "pdf/codec/ascii85.h"
#include "pdf/codec/ascii_hex.h"
#include "pdf/codec/lzw_encoder.h"
#include "pdf/codec/run_length.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

constexpr std::size_t kNoLimit = std::size_t{1} << 30;

Bytes Sample(std::size_t size, unsigned seed) {
  // Text-like data with repeats, as content streams have.
  std::mt19937 random(seed);
  Bytes bytes;
  const std::string words[] = {"0 0 m ", "BT ", "(Hello) Tj ", "1 0 0 RG ", "\n", "ET "};
  while (bytes.size() < size) {
    const std::string& word = words[random() % 6];
    bytes.insert(bytes.end(), word.begin(), word.end());
    if (random() % 7 == 0) bytes.push_back(static_cast<std::uint8_t>(random()));
  }
  bytes.resize(size);
  return bytes;
}

TEST(FilterDecoders, UndoTheEnginesOwnEncoders) {
  for (const std::size_t size : {0u, 1u, 5u, 130u, 4000u, 70000u}) {
    const Bytes input = Sample(size, static_cast<unsigned>(size));
    SCOPED_TRACE(size);
    EXPECT_EQ(DecodeAsciiHex(EncodeAsciiHex(input), kNoLimit).bytes, input);
    EXPECT_EQ(DecodeAscii85(EncodeAscii85(input), kNoLimit).bytes, input);
    EXPECT_EQ(DecodeRunLength(EncodeRunLength(input), kNoLimit).bytes, input);
    for (int level = 0; level <= 3; ++level) {
      const FilterResult lzw = DecodeLzw(EncodeLzw(input, level), true, kNoLimit);
      EXPECT_EQ(lzw.status, FilterStatus::kOk) << level;
      EXPECT_EQ(lzw.bytes, input) << level;
    }
  }
}

TEST(FilterDecoders, DecodeHandWrittenData) {
  const struct {
    const char* name;
    FilterResult (*decode)(std::span<const std::uint8_t>, std::size_t);
    Bytes data;
    FilterStatus status;
    Bytes expected;
  } cases[] = {
      {"hex with blanks and mark", DecodeAsciiHex, B("48 65\n6c6C>ff"), FilterStatus::kOk,
       B("Hell")},
      {"hex odd digit", DecodeAsciiHex, B("414"), FilterStatus::kOk, B("A@")},
      {"hex bad digit", DecodeAsciiHex, B("4G"), FilterStatus::kInvalidData, {}},
      {"a85 vector", DecodeAscii85, B("87cURD_*#TDfTZ)+T~>"), FilterStatus::kOk,
       B("Hello, world!")},
      {"a85 z, marks, blanks", DecodeAscii85, B("<~z@:\nE^~>junk"), FilterStatus::kOk,
       Bytes{0, 0, 0, 0, 'a', 'b', 'c'}},
      {"a85 without end mark", DecodeAscii85, B("@:E^"), FilterStatus::kOk, B("abc")},
      {"a85 z inside a group", DecodeAscii85, B("@z~>"), FilterStatus::kInvalidData, {}},
      {"a85 group too large", DecodeAscii85, B("uuuuu~>"), FilterStatus::kInvalidData, {}},
      {"a85 lone last character", DecodeAscii85, B("87cURD~>"), FilterStatus::kTruncated,
       B("Hell")},
      {"rle runs", DecodeRunLength, Bytes{1, 'a', 'b', 254, 'c', 128, 0, 'x'}, FilterStatus::kOk,
       B("abccc")},
      {"rle without end mark", DecodeRunLength, Bytes{0, 'a'}, FilterStatus::kOk, B("a")},
      {"rle short literal", DecodeRunLength, Bytes{3, 'a'}, FilterStatus::kTruncated, {}},
      {"rle repeat without byte", DecodeRunLength, Bytes{200}, FilterStatus::kTruncated, {}},
  };
  for (const auto& c : cases) {
    const FilterResult result = c.decode(c.data, kNoLimit);
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(result.bytes, c.expected) << c.name;
  }
}

TEST(FilterDecoders, LzwDecodesTheFormatsExampleAndRefusesImpossibleCodes) {
  // The classic example of the format's documentation: "-----A---B".
  const Bytes example = {0x80, 0x0B, 0x60, 0x50, 0x22, 0x0C, 0x0C, 0x85, 0x01};
  const FilterResult result = DecodeLzw(example, true, kNoLimit);
  EXPECT_EQ(result.status, FilterStatus::kOk);
  EXPECT_EQ(result.bytes, B("-----A---B"));
  // A first code of 300 (nothing defined yet): 9 bits 100101100.
  EXPECT_EQ(DecodeLzw(Bytes{0x96, 0x00}, true, kNoLimit).status, FilterStatus::kInvalidData);
}

TEST(FilterDecoders, EveryDecoderStopsAtItsLimit) {
  const Bytes input = Sample(1000, 7);
  EXPECT_EQ(DecodeAsciiHex(EncodeAsciiHex(input), 999).status, FilterStatus::kTooLarge);
  EXPECT_EQ(DecodeAscii85(EncodeAscii85(input), 999).status, FilterStatus::kTooLarge);
  EXPECT_EQ(DecodeRunLength(EncodeRunLength(input), 999).status, FilterStatus::kTooLarge);
  const FilterResult lzw = DecodeLzw(EncodeLzw(input, 3), true, 999);
  EXPECT_EQ(lzw.status, FilterStatus::kTooLarge);
  EXPECT_LE(lzw.bytes.size(), 999u);
  EXPECT_EQ(DecodeAscii85(EncodeAscii85(input), 1000).status, FilterStatus::kOk);
}

// Applies PNG filter `type` to rows of `row_bytes` with `pixel_bytes` per pixel.
Bytes PngFilter(const Bytes& raw, std::size_t row_bytes, std::size_t pixel_bytes, int type) {
  Bytes out;
  for (std::size_t row = 0; row < raw.size(); row += row_bytes) {
    out.push_back(static_cast<std::uint8_t>(type));
    for (std::size_t i = 0; i < row_bytes; ++i) {
      const int left = i >= pixel_bytes ? raw[row + i - pixel_bytes] : 0;
      const int up = row > 0 ? raw[row - row_bytes + i] : 0;
      const int up_left = row > 0 && i >= pixel_bytes ? raw[row - row_bytes + i - pixel_bytes] : 0;
      const int estimate = left + up - up_left;
      const int paeth = std::abs(estimate - left) <= std::abs(estimate - up) &&
                                std::abs(estimate - left) <= std::abs(estimate - up_left)
                            ? left
                        : std::abs(estimate - up) <= std::abs(estimate - up_left) ? up
                                                                                  : up_left;
      const int predicted[] = {0, left, up, (left + up) / 2, paeth};
      out.push_back(static_cast<std::uint8_t>(raw[row + i] - predicted[type]));
    }
  }
  return out;
}

TEST(FilterDecoders, UndoPngAndTiffPredictors) {
  const Bytes raw = Sample(3 * 4 * 6, 3);  // 6 rows of 4 RGB pixels
  for (int type = 0; type <= 4; ++type) {
    const PredictorParams params{10 + type, 3, 8, 4};
    const FilterResult result = UndoPredictor(PngFilter(raw, 12, 3, type), params);
    EXPECT_EQ(result.status, FilterStatus::kOk) << type;
    EXPECT_EQ(result.bytes, raw) << type;
  }
  Bytes tiff = raw;
  for (std::size_t row = 0; row < tiff.size(); row += 12) {
    for (std::size_t i = 11; i >= 3; --i) {
      tiff[row + i] = static_cast<std::uint8_t>(raw[row + i] - raw[row + i - 3]);
    }
  }
  EXPECT_EQ(UndoPredictor(tiff, {2, 3, 8, 4}).bytes, raw);

  EXPECT_EQ(UndoPredictor(Bytes{5, 1, 2}, {12, 1, 8, 2}).status, FilterStatus::kInvalidData);
  EXPECT_EQ(UndoPredictor(Bytes{0, 1}, {12, 1, 3, 2}).status, FilterStatus::kInvalidData);
  EXPECT_EQ(UndoPredictor(Bytes{0, 1}, {12, 99, 8, 2}).status, FilterStatus::kInvalidData);
  // Columns far beyond the data: one short row, no huge buffer.
  EXPECT_EQ(UndoPredictor(Bytes{2, 7, 8}, {12, 1, 8, 1 << 30}).bytes, (Bytes{7, 8}));
}

}  // namespace
}  // namespace pagora

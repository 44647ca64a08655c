#include "pdf/codec/lzw_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/support/stream_decoders.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::DecodeLzw;

constexpr int kClearCode = 256;

Bytes RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  Bytes bytes(count);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
  return bytes;
}

// Words drawn from a small vocabulary: repetitive enough for long strings in the table.
Bytes Text(std::size_t count, unsigned seed) {
  static const char* const kWords[] = {"cantiere ", "lavori ", "impresa ",  "direttore ",
                                       "via ",      "Comune ", "progetto ", "sicurezza\r\n"};
  std::mt19937 generator(seed);
  Bytes text;
  while (text.size() < count) {
    const std::string word = kWords[generator() % 8];
    text.insert(text.end(), word.begin(), word.end());
  }
  text.resize(count);
  return text;
}

TEST(Lzw, EncodesKnownStreamsExactly) {
  EXPECT_EQ(EncodeLzw(Bytes{}, 0), (Bytes{0x80, 0x40, 0x40}));
  // Codes 256 45 258 258 65 259 66 257, nine bits each.
  EXPECT_EQ(EncodeLzw(Bytes{45, 45, 45, 45, 45, 65, 45, 45, 45, 66}, 0),
            (Bytes{0x80, 0x0B, 0x60, 0x50, 0x22, 0x0C, 0x0C, 0x85, 0x01}));
}

TEST(Lzw, LevelsOutsideZeroToThreeAreClamped) {
  const Bytes input = RandomBytes(20000, 1);
  EXPECT_EQ(EncodeLzw(input, 9), EncodeLzw(input, 3));
  EXPECT_EQ(EncodeLzw(input, -1), EncodeLzw(input, 0));
}

// Each level fills its table up to its largest code, then clears it: the codes between two
// clear codes each add one string, from 258 to the largest code.
TEST(Lzw, EachLevelClearsItsTableWhenFullAndNeverWidensPastIt) {
  const Bytes input = RandomBytes(150000, 2);
  for (int level = 0; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const int strings_per_table = (1 << (9 + level)) - 258;
    // Making the largest string widens the codes once more, for the clear code.
    const int widest = std::min(10 + level, 12);
    const auto decoded = DecodeLzw(EncodeLzw(input, level));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->data, input);
    int clears = 0;
    int since_clear = -1;
    for (const auto& [code, width] : decoded->codes) {
      EXPECT_LE(width, widest);
      if (code != kClearCode) {
        ++since_clear;
        continue;
      }
      if (clears++ > 0) {
        EXPECT_EQ(since_clear, strings_per_table);
        EXPECT_EQ(width, widest);
      }
      since_clear = 0;
    }
    EXPECT_GE(clears, 3);
  }
}

// Every length, so that the input ends right after each possible table size. When the last
// string made is 510, 1022 or 2046 the decoder, having caught up, reads the end-of-data code
// one bit wider than the codes before it; the strict decoder rejects any other width.
TEST(Lzw, RoundTripsEveryLengthAndWidensTheEndCodeWhenTheDecoderDoes) {
  // Long enough to make string 2 ^ (9 + level) - 2, or 2046 at the most.
  const std::size_t kLongest[] = {700, 1400, 2600, 2600};
  for (int level = 0; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const Bytes random = RandomBytes(kLongest[level], 3);
    std::set<int> widened_ends;
    for (std::size_t size = 0; size <= random.size(); ++size) {
      const Bytes input(random.begin(), random.begin() + static_cast<std::ptrdiff_t>(size));
      const auto decoded = DecodeLzw(EncodeLzw(input, level));
      ASSERT_TRUE(decoded) << size;
      ASSERT_EQ(decoded->data, input) << size;
      const auto& codes = decoded->codes;
      if (codes.size() >= 2 && codes.back().width > codes[codes.size() - 2].width) {
        widened_ends.insert(codes.back().width);
      }
    }
    const std::set<int> expected = level == 0   ? std::set<int>{10}
                                   : level == 1 ? std::set<int>{10, 11}
                                                : std::set<int>{10, 11, 12};
    EXPECT_EQ(widened_ends, expected);
  }
}

TEST(Lzw, CompressesRepetitiveText) {
  const Bytes text = Text(100000, 4);
  for (int level = 0; level <= 3; ++level) {
    const Bytes encoded = EncodeLzw(text, level);
    EXPECT_LT(encoded.size(), text.size() / 2) << level;
    const auto decoded = DecodeLzw(encoded);
    ASSERT_TRUE(decoded) << level;
    EXPECT_EQ(decoded->data, text) << level;
  }
}

}  // namespace
}  // namespace pagora

#include "pdf/codec/deflate_encoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/codec/deflate_block.h"
#include "pdf/codec/lz77_pass.h"
#include "tests/codec/deflate_test_inputs.h"
#include "tests/codec/zlib_oracle.h"

namespace pagora {
namespace {

using deflate::BlockType;
using deflate::Token;
using testing::InputShape;

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  return testing::MakeInput(InputShape::kRandom, size, rng);
}

BlockType FirstBlockType(const std::vector<std::uint8_t>& stream) {
  return static_cast<BlockType>((stream.at(2) >> 1) & 3);
}

// The encoder's output, checked the way every output must hold: zlib header, Adler-32
// trailer as zlib computes it, and zlib inflating it back to the input.
void ExpectRoundTrip(const std::vector<std::uint8_t>& input, int level, const std::string& what) {
  const std::vector<std::uint8_t> stream = FlateEncode(input, level);
  ASSERT_GE(stream.size(), 7u) << what;
  EXPECT_EQ(stream[0], 0x78) << what;
  EXPECT_EQ(stream[1], 0x5E) << what;
  const uLong adler =
      adler32(adler32(0, nullptr, 0), input.data(), static_cast<uInt>(input.size()));
  const std::size_t n = stream.size();
  EXPECT_EQ((uLong{stream[n - 4]} << 24) | (uLong{stream[n - 3]} << 16) |
                (uLong{stream[n - 2]} << 8) | stream[n - 1],
            adler)
      << what;
  const auto inflated = testing::ZlibInflate(stream);
  ASSERT_TRUE(inflated.has_value()) << what << ": zlib rejects the stream";
  EXPECT_TRUE(*inflated == input) << what << ": inflates to different bytes";
}

std::vector<Token> TokensOf(const std::vector<std::uint8_t>& input, int level) {
  return deflate::FindMatches(input, deflate::kEffortRows[level]).tokens;
}

Token Lit(std::uint32_t count) {
  return Token::LiteralRun(count);
}
Token Match(int length, int distance) {
  return Token::Match(length, distance);
}

TEST(FlateEncodeTest, EmptyInputIsOneEmptyFixedBlock) {
  const std::vector<std::uint8_t> expected = {0x78, 0x5E, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  for (int level = 0; level <= 3; ++level) EXPECT_EQ(FlateEncode({}, level), expected);
}

TEST(FlateEncodeTest, ThreeEqualBytesAreLiteralsInAFixedBlock) {
  const auto input = Bytes("AAA");
  EXPECT_EQ(TokensOf(input, 3), std::vector<Token>{Lit(3)});
  const auto stream = FlateEncode(input, 3);
  EXPECT_EQ(FirstBlockType(stream), BlockType::kFixed);
  ExpectRoundTrip(input, 3, "AAA");
}

TEST(FlateEncodeTest, HundredEqualBytesAreLiteralMatchLiteral) {
  const std::vector<std::uint8_t> input(100, 'x');
  for (int level = 0; level <= 3; ++level) {
    EXPECT_EQ(TokensOf(input, level), (std::vector<Token>{Lit(1), Match(98, 1), Lit(1)}));
    const auto stream = FlateEncode(input, level);
    EXPECT_EQ(FirstBlockType(stream), BlockType::kFixed);
    // 3 header bits, literal 8, length symbol 276 7 + 4 extra, distance 5, literal 8, end 7.
    EXPECT_EQ(stream.size(), 2u + 6u + 4u);
    ExpectRoundTrip(input, level, "100 x");
  }
}

TEST(FlateEncodeTest, RandomThousandBytesAreOneStoredBlock) {
  const auto input = RandomBytes(1000, 7);
  const auto stream = FlateEncode(input, 2);
  ASSERT_EQ(stream.size(), 2u + 1u + 4u + 1000u + 4u);
  EXPECT_EQ(stream[2], 0x01);  // final, stored, padding
  EXPECT_EQ(std::vector<std::uint8_t>(stream.begin() + 3, stream.begin() + 7),
            (std::vector<std::uint8_t>{0xE8, 0x03, 0x17, 0xFC}));
  EXPECT_TRUE(std::equal(input.begin(), input.end(), stream.begin() + 7));
  ExpectRoundTrip(input, 2, "random 1000");
}

TEST(FlateEncodeTest, LongStoredInputIsSplitEvery65535Bytes) {
  const auto input = RandomBytes(70000, 11);
  const auto stream = FlateEncode(input, 0);
  ASSERT_EQ(stream.size(), 2u + 2 * 5u + 70000u + 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(stream.begin() + 2, stream.begin() + 7),
            (std::vector<std::uint8_t>{0x00, 0xFF, 0xFF, 0x00, 0x00}));
  const std::size_t second = 7 + 65535;
  EXPECT_EQ(std::vector<std::uint8_t>(stream.begin() + second, stream.begin() + second + 5),
            (std::vector<std::uint8_t>{0x01, 0x71, 0x11, 0x8E, 0xEE}));  // 4465 bytes
  ExpectRoundTrip(input, 0, "random 70000");
}

// Bytes whose three-byte substrings are all different: each byte carries its place in a
// triple in its top two bits and six bits of a counter.
std::vector<std::uint8_t> DistinctTriples(std::size_t size) {
  std::vector<std::uint8_t> out;
  for (std::uint32_t i = 0; out.size() < size; ++i) {
    out.push_back(static_cast<std::uint8_t>(0x00 | ((i >> 12) & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x40 | ((i >> 6) & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (i & 0x3F)));
  }
  out.resize(size);
  return out;
}

// The prefix `size` bytes later again (first 100 bytes), then a byte that stops the match.
std::vector<std::uint8_t> RepeatAfter(std::size_t distance, std::size_t length) {
  auto input = DistinctTriples(distance);
  input.insert(input.end(), input.begin(), input.begin() + static_cast<std::ptrdiff_t>(length));
  input.push_back(0xFF);
  return input;
}

TEST(FlateEncodeTest, MatchesReachBack32767BytesButNot32768) {
  for (int level = 0; level <= 3; ++level) {
    const auto reachable = TokensOf(RepeatAfter(32767, 100), level);
    EXPECT_EQ(reachable, (std::vector<Token>{Lit(32767), Match(100, 32767), Lit(1)}));
    EXPECT_EQ(TokensOf(RepeatAfter(32768, 100), level), std::vector<Token>{Lit(32869)});
    ExpectRoundTrip(RepeatAfter(32767, 100), level, "32767 back");
  }
}

TEST(FlateEncodeTest, DynamicBlockWithoutMatchesSendsADistanceCodeAnyway) {
  // 192 byte values, no repeated triple: only a dynamic code beats 8 bits per byte, and
  // its distance code has no symbol in use.
  const auto input = DistinctTriples(30000);
  EXPECT_EQ(TokensOf(input, 3), std::vector<Token>{Lit(30000)});
  const auto stream = FlateEncode(input, 3);
  EXPECT_EQ(FirstBlockType(stream), BlockType::kDynamic);
  EXPECT_LT(stream.size(), input.size());
  ExpectRoundTrip(input, 3, "distinct triples");
}

TEST(FlateEncodeTest, ThreeByteMatchIsDroppedBeyond4096Back) {
  for (const std::size_t distance : {4000u, 4096u, 4097u, 5000u}) {
    auto input = RepeatAfter(distance, 3);
    input.back() = 0xFE;
    input.insert(input.end(), {0xFD, 0xFC, 0xFB});
    const bool used = distance <= 4096;
    const std::vector<Token> expected =
        used ? std::vector<Token>{Lit(static_cast<std::uint32_t>(distance)),
                                  Match(3, static_cast<int>(distance)), Lit(4)}
             : std::vector<Token>{Lit(static_cast<std::uint32_t>(distance + 7))};
    EXPECT_EQ(TokensOf(input, 3), expected) << distance;
  }
}

TEST(FlateEncodeTest, LazyStepPrefersTheLongerMatchAtTheNextByte) {
  // At "abcde" the best match is "abc" (3); at its second byte "bcde" (4) is better.
  const auto input = Bytes("abcQbcdeRabcdeSTUV");
  for (int level = 0; level <= 3; ++level) {
    EXPECT_EQ(TokensOf(input, level), (std::vector<Token>{Lit(10), Match(4, 6), Lit(4)}));
  }
}

TEST(FlateEncodeTest, SecondSearchLooksPastTheFirstStopLength) {
  // At the last copy the newest candidate gives 8, an older one 12. Level 0 stops at 8 and
  // its lazy step then finds 11 at the next byte; level 1 and up search on and find 12.
  const auto input = Bytes("ABCDEFGHIJKL#ABCDEFGH%ABCDEFGHIJKL!wxyz");
  EXPECT_EQ(TokensOf(input, 0),
            (std::vector<Token>{Lit(13), Match(8, 13), Lit(2), Match(11, 22), Lit(5)}));
  for (int level = 1; level <= 3; ++level) {
    EXPECT_EQ(TokensOf(input, level),
              (std::vector<Token>{Lit(13), Match(8, 13), Lit(1), Match(12, 22), Lit(5)}));
  }
}

TEST(FlateEncodeTest, ChainLengthBoundsTheCandidatesOfAPrefix) {
  // "abc0123456789", sixteen "abc" + unique byte, then "abc0123456789" again: level 0
  // keeps only the 16 newest positions of "abc", level 1 keeps 32 and reaches the first.
  auto input = Bytes("abc0123456789");
  for (int k = 0; k < 16; ++k) input.insert(input.end(), {'a', 'b', 'c', std::uint8_t(0x80 + k)});
  const auto tail = Bytes("abc0123456789WXYZ");
  input.insert(input.end(), tail.begin(), tail.end());

  std::vector<Token> fillers = {Match(3, 13), Lit(1)};
  for (int k = 1; k < 16; ++k) fillers.insert(fillers.end(), {Match(3, 4), Lit(1)});
  std::vector<Token> level0 = {Lit(13)};
  level0.insert(level0.end(), fillers.begin(), fillers.end());
  level0.back() = Lit(2);
  level0.insert(level0.end(), {Match(12, 77), Lit(4)});
  std::vector<Token> level1 = {Lit(13)};
  level1.insert(level1.end(), fillers.begin(), fillers.end());
  level1.insert(level1.end(), {Match(13, 77), Lit(4)});

  EXPECT_EQ(TokensOf(input, 0), level0);
  EXPECT_EQ(TokensOf(input, 1), level1);
}

TEST(FlateEncodeTest, TiesFavourTheSimplerBlock) {
  struct Case {
    deflate::BlockSizes sizes;
    BlockType expected;
  };
  const Case cases[] = {
      {{10, 10, 9}, BlockType::kDynamic},
      {{10, 10, 10}, BlockType::kStored},
      {{10, 9, 9}, BlockType::kFixed},
      {{10, 9, 8}, BlockType::kDynamic},
      {{10, 11, 10}, BlockType::kStored},
      {{10, 11, deflate::kUnbuildableBlockBytes}, BlockType::kStored},
  };
  for (const Case& c : cases) EXPECT_EQ(deflate::ChooseBlockType(c.sizes), c.expected);
}

TEST(FlateEncodeTest, MeasuredSizeIsTheWrittenSize) {
  std::mt19937 rng(5);
  for (const InputShape shape : testing::kAllShapes) {
    for (const std::size_t size : {1u, 50u, 700u, 20000u}) {
      const auto input = testing::MakeInput(shape, size, rng);
      const auto pass = deflate::FindMatches(input, deflate::kEffortRows[2]);
      deflate::DynamicCodes dynamic;
      ASSERT_TRUE(deflate::BuildDynamicCodes(pass, dynamic));
      const auto sizes = deflate::MeasureBlocks(input.size(), pass, &dynamic);
      const auto stream = FlateEncode(input, 2);
      const BlockType type = FirstBlockType(stream);
      EXPECT_EQ(type, deflate::ChooseBlockType(sizes));
      const std::uint64_t measured = type == BlockType::kStored  ? sizes.stored
                                     : type == BlockType::kFixed ? sizes.fixed
                                                                 : sizes.dynamic;
      // The size counts one byte more than needed when the bits fill the last byte.
      const std::uint64_t written = stream.size() - 6;
      EXPECT_TRUE(written == measured || written + 1 == measured)
          << static_cast<int>(shape) << " " << size << ": " << written << " vs " << measured;
    }
  }
}

TEST(FlateEncodeTest, LevelsOutsideTheRangeAreClamped) {
  std::mt19937 rng(3);
  const auto input = testing::MakeInput(InputShape::kWords, 3000, rng);
  EXPECT_EQ(FlateEncode(input, 9), FlateEncode(input, 3));
  EXPECT_EQ(FlateEncode(input, -1), FlateEncode(input, 0));
}

TEST(FlateEncodeTest, SmallInputsOfEveryShapeRoundTripAtEveryLevel) {
  std::mt19937 rng(1);
  int count = 0;
  for (int round = 0; round < 170; ++round) {
    for (const InputShape shape : testing::kAllShapes) {
      const std::size_t size = rng() % (round < 50 ? 40 : 4000);
      const auto input = testing::MakeInput(shape, size, rng);
      for (int level = 0; level <= 3; ++level) {
        ExpectRoundTrip(input, level,
                        "shape " + std::to_string(static_cast<int>(shape)) + " size " +
                            std::to_string(size) + " level " + std::to_string(level));
        ++count;
      }
    }
  }
  EXPECT_EQ(count, 4080);
}

TEST(FlateEncodeTest, LargeInputsRoundTripAtEveryLevel) {
  std::mt19937 rng(2);
  for (const InputShape shape : testing::kAllShapes) {
    const std::size_t size = 65536 + rng() % 300000;
    const auto input = testing::MakeInput(shape, size, rng);
    for (int level = 0; level <= 3; ++level) {
      ExpectRoundTrip(
          input, level,
          "shape " + std::to_string(static_cast<int>(shape)) + " level " + std::to_string(level));
    }
  }
}

}  // namespace
}  // namespace pagora

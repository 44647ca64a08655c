#include "pdf/codec/huffman_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "pdf/codec/code_length_coding.h"

namespace pagora::deflate {
namespace {

// The Kraft sum of the lengths, in units of 2^-15: 32768 for a complete code.
int KraftSum(const std::vector<std::uint8_t>& lengths) {
  int sum = 0;
  for (const std::uint8_t length : lengths) {
    if (length > 0) sum += 1 << (15 - length);
  }
  return sum;
}

std::vector<std::uint8_t> Lengths(const std::vector<std::uint32_t>& frequencies, int limit) {
  std::vector<std::uint8_t> lengths(frequencies.size());
  EXPECT_TRUE(FlateBuildLengths(frequencies, limit, lengths));
  return lengths;
}

TEST(FlateBuildLengthsTest, SmallCases) {
  struct Case {
    std::vector<std::uint32_t> frequencies;
    std::vector<std::uint8_t> lengths;
  };
  const Case cases[] = {
      {{0, 0, 5, 0}, {1, 0, 1, 0}},  // one symbol: the first unused one joins it
      {{7, 0, 0}, {1, 1, 0}},       {{0, 0, 0}, {1, 1, 0}},  // none: two codes all the same
      {{1, 1, 2, 4}, {3, 3, 2, 1}}, {{5, 5, 5, 5}, {2, 2, 2, 2}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lengths(c.frequencies, 15), c.lengths);
}

TEST(FlateBuildLengthsTest, FibonacciFrequenciesAreLimitedToACompleteCode) {
  // Fibonacci weights give the deepest possible tree: one more level per symbol.
  for (const int limit : {7, 15}) {
    for (const std::size_t count : {9u, 19u, 30u}) {
      std::vector<std::uint32_t> frequencies(count);
      std::uint32_t a = 1, b = 1;
      for (auto& f : frequencies) {
        f = a;
        a = std::exchange(b, a + b);
      }
      if (count > (1u << limit)) continue;
      const auto lengths = Lengths(frequencies, limit);
      EXPECT_LE(*std::max_element(lengths.begin(), lengths.end()), limit);
      EXPECT_EQ(KraftSum(lengths), 32768) << limit << " " << count;
      // The more frequent symbol never has the longer code.
      EXPECT_TRUE(std::is_sorted(lengths.rbegin(), lengths.rend())) << limit << " " << count;
    }
  }
}

TEST(FlateBuildLengthsTest, JpegAdjustmentOfAKnownTree) {
  // Under a limit of 4 the two 5s become one 4, and the 3 splits to make room for the
  // other: lengths 1, 2, 4, 4, 4, 4.
  const std::vector<std::uint32_t> frequencies = {16, 8, 4, 2, 1, 1};
  EXPECT_EQ(Lengths(frequencies, 5), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 5}));
  EXPECT_EQ(Lengths(frequencies, 4), (std::vector<std::uint8_t>{1, 2, 4, 4, 4, 4}));
}

TEST(FlateBuildLengthsTest, RandomFrequenciesGiveCompleteLimitedCodes) {
  std::mt19937 rng(4);
  for (int round = 0; round < 500; ++round) {
    const std::size_t count = 2 + rng() % 287;
    std::vector<std::uint32_t> frequencies(count);
    for (auto& f : frequencies) f = rng() % 3 == 0 ? 0 : 1u << (rng() % 20);
    frequencies[0] = frequencies[1] = 1;
    const auto lengths = Lengths(frequencies, 15);
    EXPECT_LE(*std::max_element(lengths.begin(), lengths.end()), 15);
    EXPECT_EQ(KraftSum(lengths), 32768);
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(frequencies[i] > 0, lengths[i] > 0);
  }
}

TEST(FlateBuildLengthsTest, TooManySymbolsForTheLimitFail) {
  const std::vector<std::uint32_t> frequencies(9, 1);
  std::vector<std::uint8_t> lengths(9);
  EXPECT_FALSE(FlateBuildLengths(frequencies, 3, lengths));
}

TEST(FlateAssignCodesTest, CanonicalCodesOfTheFormatsExample) {
  // Lengths (3, 3, 3, 3, 3, 2, 4, 4) give 010 011 100 101 110 00 1110 1111.
  const std::vector<std::uint8_t> lengths = {3, 3, 3, 3, 3, 2, 4, 4};
  const std::vector<std::uint16_t> codes = {0b010, 0b011, 0b100,  0b101,
                                            0b110, 0b00,  0b1110, 0b1111};
  std::vector<HuffmanCode> assigned(lengths.size());
  ASSERT_TRUE(FlateAssignCodes(lengths, assigned));
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    std::uint16_t reversed = 0;
    for (int bit = 0; bit < lengths[i]; ++bit)
      reversed |= ((codes[i] >> bit) & 1) << (lengths[i] - 1 - bit);
    EXPECT_EQ(assigned[i].bits, reversed) << i;
    EXPECT_EQ(assigned[i].length, lengths[i]) << i;
  }
}

TEST(FlateAssignCodesTest, OverSubscribedLengthsAreRefused) {
  std::vector<HuffmanCode> codes(3);
  EXPECT_FALSE(FlateAssignCodes(std::vector<std::uint8_t>{1, 1, 1}, codes));
  EXPECT_FALSE(FlateAssignCodes(std::vector<std::uint8_t>{1, 2, 16}, codes));
  EXPECT_TRUE(FlateAssignCodes(std::vector<std::uint8_t>{1, 2, 0}, codes));  // incomplete is fine
}

TEST(CodeLengthOpsTest, RunsAreCodedWithRepeatSymbols) {
  using Ops = std::vector<CodeLengthOp>;
  struct Case {
    std::vector<std::uint8_t> lengths;
    Ops ops;
  };
  const std::vector<std::uint8_t> eight_fives(8, 5);
  std::vector<std::uint8_t> zeros_then_four(150, 0);
  zeros_then_four.push_back(4);
  const Case cases[] = {
      {{5, 5, 5}, {{5, 0}, {5, 0}, {5, 0}}},     // first run below 4: plain
      {{5, 5, 5, 5}, {{5, 0}, {16, 0}}},         // plain, then repeat 3
      {eight_fives, {{5, 0}, {16, 3}, {5, 0}}},  // run cut at 7; one left
      {std::vector<std::uint8_t>(13, 5), {{5, 0}, {16, 3}, {16, 3}}},
      {{0, 0}, {{0, 0}, {0, 0}}},
      {{0, 0, 0}, {{17, 0}}},
      {std::vector<std::uint8_t>(10, 0), {{17, 7}}},
      {std::vector<std::uint8_t>(11, 0), {{18, 0}}},
      {zeros_then_four, {{18, 127}, {18, 1}, {4, 0}}},  // 138 + 12, then the 4
      {{3, 0, 0, 0, 3, 3, 3, 3}, {{3, 0}, {17, 0}, {3, 0}, {16, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(CodeLengthOps(c.lengths), c.ops);
}

}  // namespace
}  // namespace pagora::deflate

#include "pdf/codec/run_length.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "tests/support/stream_decoders.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Repeat(std::uint8_t byte, std::size_t count) {
  return Bytes(count, byte);
}
Bytes Distinct(std::size_t count) {
  Bytes bytes(count);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  return bytes;
}
Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(RunLength, EncodesRunsAndLiteralsExactly) {
  constexpr std::uint8_t A = 'A', B = 'B', C = 'C';
  const Bytes distinct_128 = Distinct(128);
  const struct {
    const char* name;
    Bytes input;
    Bytes expected;
  } cases[] = {
      {"empty", {}, {128}},
      {"one byte", {A}, {0, A, 128}},
      {"two different", {A, B}, {1, A, B, 128}},
      {"two equal", {A, A}, {255, A, 128}},
      {"three equal", {A, A, A}, {254, A, 128}},
      {"literal stops before a pair", {A, B, B}, {0, A, 255, B, 128}},
      {"literal then pair", {A, B, C, C}, {1, A, B, 255, C, 128}},
      {"pair then last byte", {A, A, B}, {255, A, 0, B, 128}},
      {"128 equal", Repeat(A, 128), {129, A, 128}},
      {"129 equal", Repeat(A, 129), {129, A, 0, A, 128}},
      {"130 equal", Repeat(A, 130), {129, A, 255, A, 128}},
      {"128 distinct", distinct_128, Concat(Concat({127}, distinct_128), {128})},
      {"129 distinct", Distinct(129), Concat(Concat({127}, distinct_128), {0, 128, 128})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeRunLength(c.input), c.expected) << c.name;
  }
}

TEST(RunLength, RoundTripsRunsOfEveryLength) {
  for (std::size_t run = 1; run <= 300; ++run) {
    // Each run sits between literal bytes, so that both of its ends meet a change.
    const Bytes input = Concat(Concat(Distinct(3), Repeat(0xEE, run)), Distinct(2));
    EXPECT_EQ(testing::DecodeRunLength(EncodeRunLength(input)), input) << run;
  }
}

TEST(RunLength, WorstCaseStaysWithinItsBound) {
  // A A B repeated is the costliest pattern: every literal run holds one byte and is
  // followed by a pair, four bytes out for three in.
  Bytes input;
  for (int i = 0; i < 3000; ++i) input.insert(input.end(), {7, 7, 9});
  const Bytes encoded = EncodeRunLength(input);
  EXPECT_EQ(encoded.size(), 12000u + 1);
  EXPECT_EQ(testing::DecodeRunLength(encoded), input);
}

}  // namespace
}  // namespace pagora

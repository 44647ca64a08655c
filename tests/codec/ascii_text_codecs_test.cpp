// The two ASCII encoders: base-85 and hexadecimal.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pdf/codec/ascii85.h"
#include "pdf/codec/ascii_hex.h"
#include "tests/support/stream_decoders.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string AsText(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

Bytes RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  Bytes bytes(count);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
  return bytes;
}

TEST(Ascii85, EncodesGroupsExactly) {
  const struct {
    Bytes input;
    const char* expected;
  } cases[] = {
      {{}, "~>"},
      {{0, 0, 0, 0}, "z~>"},
      {{0, 0, 0}, "!!!!~>"},
      {{0, 0, 0, 0, 0}, "z!!~>"},
      {{0, 0, 0, 1}, "!!!!\"~>"},
      {{'M'}, "9`~>"},
      {{'M', 'a'}, "9jn~>"},
      {{'M', 'a', 'n'}, "9jqo~>"},
      {{'M', 'a', 'n', ' '}, "9jqo^~>"},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "s8W-!~>"},
      {{0, 0, 0, 0, 'M', 'a', 'n', ' ', 0, 0, 0, 0}, "z9jqo^z~>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AsText(EncodeAscii85(c.input)), c.expected);
  }
}

TEST(Ascii85, RoundTripsEveryTailLength) {
  for (std::size_t size = 0; size <= 64; ++size) {
    const Bytes input = RandomBytes(size, static_cast<unsigned>(size));
    const Bytes encoded = EncodeAscii85(input);
    EXPECT_EQ(encoded.size(), size / 4 * 5 + (size % 4 ? size % 4 + 1 : 0) + 2) << size;
    EXPECT_EQ(testing::DecodeAscii85(encoded), input) << size;
  }
}

TEST(AsciiHex, WritesTwoUpperCaseDigitsPerByte) {
  EXPECT_EQ(AsText(EncodeAsciiHex(Bytes{})), "");
  EXPECT_EQ(AsText(EncodeAsciiHex(Bytes{0x00, 0x0F, 0xA5, 0x5A, 0xFF, 0x10})), "000FA55AFF10");
  Bytes every_byte(256);
  for (int i = 0; i < 256; ++i)
    every_byte[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(testing::DecodeAsciiHex(EncodeAsciiHex(every_byte)), every_byte);
}

}  // namespace
}  // namespace pagora

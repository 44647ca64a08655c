#include "pdf/codec/rc4.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/codec/openssl_oracle.h"

namespace pagora {
namespace {

using testing::OpenSslRc4;

std::vector<std::uint8_t> FromHex(std::string_view hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(
        static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// The key stream is the encryption of zeros.
std::vector<std::uint8_t> KeyStream(std::span<const std::uint8_t> key, std::size_t size) {
  std::vector<std::uint8_t> stream(size);
  Rc4Apply(Rc4KeySchedule(key), stream);
  return stream;
}

// Key-stream bytes at several offsets for 40- and 128-bit keys, from the published
// RC4 test vectors (RFC 6229).
TEST(Rc4, MatchesPublishedKeyStreams) {
  struct Case {
    std::string_view key;
    std::size_t offset;
    std::string_view stream;
  };
  const Case kCases[] = {
      {"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
      {"0102030405", 16, "6982944f18fc82d589c403a47a0d0919"},
      {"0102030405", 240, "28cb1132c96ce286421dcaadb8b69eae"},
      {"0102030405", 256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
      {"0102030405060708090a0b0c0d0e0f10", 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
      {"0102030405060708090a0b0c0d0e0f10", 16, "5248c4959014126a6e8a84f11d1a9e1c"},
  };
  for (const Case& c : kCases) {
    const auto stream = KeyStream(FromHex(c.key), c.offset + 16);
    EXPECT_EQ(std::vector(stream.begin() + static_cast<std::ptrdiff_t>(c.offset), stream.end()),
              FromHex(c.stream))
        << c.key << " at " << c.offset;
  }
}

TEST(Rc4, EqualsOpenSslForRandomKeysAndLengths) {
  std::mt19937 random(6229);
  for (const std::size_t key_size : {1, 5, 10, 16, 32, 200, 256}) {
    for (const std::size_t size : {0, 1, 255, 256, 257, 4099}) {
      const auto key = RandomBytes(random, key_size);
      auto data = RandomBytes(random, size);
      const auto expected = OpenSslRc4(key, data);
      Rc4Apply(Rc4KeySchedule(key), data);
      ASSERT_EQ(data, expected) << key_size << " " << size;
    }
  }
}

// Encrypting into a separate buffer gives what encrypting in place gives, at every length
// around the cipher's eight- and sixteen-byte steps, and leaves the input alone.
TEST(Rc4, EncryptsIntoASeparateBufferAsInPlace) {
  std::mt19937 random(5);
  const auto key = RandomBytes(random, 16);
  const Rc4Schedule schedule = Rc4KeySchedule(key);
  for (const std::size_t size : {0, 1, 7, 8, 9, 15, 16, 17, 31, 33, 1000}) {
    const auto plain = RandomBytes(random, size);
    auto in_place = plain;
    Rc4Apply(schedule, in_place);
    std::vector<std::uint8_t> separate(size);
    Rc4Apply(schedule, plain, separate);
    EXPECT_EQ(separate, in_place) << size;
    EXPECT_EQ(in_place, OpenSslRc4(key, plain)) << size;
  }
}

TEST(Rc4, UsesOnlyTheFirst256KeyBytes) {
  std::mt19937 random(1);
  const auto key = RandomBytes(random, 300);
  EXPECT_EQ(Rc4KeySchedule(key), Rc4KeySchedule(std::span(key).first(256)));
}

TEST(Rc4Cipher, EachCallStartsFromTheFreshSchedule) {
  std::mt19937 random(2);
  const auto key_a = RandomBytes(random, 10);
  const auto key_b = RandomBytes(random, 10);
  const auto plain = RandomBytes(random, 100);
  const auto under_a = OpenSslRc4(key_a, plain);
  const auto under_b = OpenSslRc4(key_b, plain);

  Rc4Cipher cipher;
  // A, A, B, A: the cached schedule is reused, replaced, and rebuilt, never advanced.
  for (const auto* key : {&key_a, &key_a, &key_b, &key_a}) {
    auto data = plain;
    ASSERT_TRUE(cipher.Crypt(*key, data));
    EXPECT_EQ(data, key == &key_a ? under_a : under_b);
  }
  // A key that starts like the cached one is another key.
  auto data = plain;
  ASSERT_TRUE(cipher.Crypt(std::span(key_a).first(5), data));
  EXPECT_EQ(data, OpenSslRc4(std::span(key_a).first(5), plain));
}

TEST(Rc4Cipher, RefusesAnEmptyKey) {
  Rc4Cipher cipher;
  std::vector<std::uint8_t> data = {1, 2, 3};
  EXPECT_FALSE(cipher.Crypt({}, data));
  EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace pagora

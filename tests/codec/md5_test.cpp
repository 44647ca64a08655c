#include "pdf/codec/md5.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/codec/openssl_oracle.h"

namespace pagora {
namespace {

using testing::OpenSslMd5;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Hex(const Md5Hash& hash) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const std::uint8_t b : hash) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

TEST(Md5Digest, MatchesTheReferenceSuite) {
  struct Case {
    std::string_view message;
    std::string_view digest;
  };
  const Case kCases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : kCases) {
    const auto digest = Md5Digest(Bytes(c.message));
    ASSERT_TRUE(digest.has_value());
    EXPECT_EQ(Hex(*digest), c.digest) << c.message;
  }
}

// Lengths 0..300 cross the one-block (55 bytes) and two-block (56..63 bytes) padding paths
// several times over.
TEST(Md5Digest, EqualsOpenSslForEveryLengthUpTo300) {
  std::mt19937 random(1321);
  for (std::size_t size = 0; size <= 300; ++size) {
    const auto data = RandomBytes(random, size);
    EXPECT_EQ(Md5Digest(data), OpenSslMd5(data)) << size;
  }
}

TEST(Md5Digest, EqualsOpenSslOnMegabytes) {
  std::mt19937 random(5);
  const auto data = RandomBytes(random, 3 * 1024 * 1024 + 17);
  EXPECT_EQ(Md5Digest(data), OpenSslMd5(data));
}

TEST(Md5Update, GivesTheSameDigestWhateverThePieces) {
  std::mt19937 random(9);
  const auto data = RandomBytes(random, 1000);
  const Md5Hash whole = OpenSslMd5(data);
  for (const std::size_t piece : {1, 3, 55, 56, 63, 64, 65, 127, 999}) {
    Md5Context context;
    Md5Start(context);
    for (std::size_t at = 0; at < data.size(); at += piece) {
      Md5Update(context, std::span(data).subspan(at, std::min(piece, data.size() - at)));
      Md5Update(context, {});
    }
    EXPECT_EQ(Md5Finish(context), whole) << piece;
  }
}

// Inputs longer than the limit are refused before any byte is read, so a mapping of
// never-touched pages is enough to test the boundary.
TEST(Md5Digest, RefusesInputsLongerThanTheLimit) {
  const std::size_t mapped = kMd5MaxInputLength + 1;
  void* pages =
      mmap(nullptr, mapped, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  const std::span<const std::uint8_t> zeros(static_cast<const std::uint8_t*>(pages), mapped);
  EXPECT_FALSE(Md5Digest(zeros).has_value());
  const auto at_limit = zeros.first(kMd5MaxInputLength);
  EXPECT_EQ(Md5Digest(at_limit), OpenSslMd5(at_limit));
  munmap(pages, mapped);
}

}  // namespace
}  // namespace pagora

#include "pdf/codec/md5.h"

#include <algorithm>
#include <bit>

namespace pagora {
namespace {

constexpr std::size_t kBlockSize = 64;

std::uint32_t LoadLittleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void StoreLittleEndian32(std::uint32_t value, std::uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The four auxiliary functions, in forms that need fewer operations than the textbook ones
// but give the same bits.
constexpr std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return z ^ (x & (y ^ z));
}
constexpr std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return y ^ (z & (x ^ y));
}
constexpr std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ y ^ z;
}
constexpr std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return y ^ (x | ~z);
}

// One of the 64 steps: a = b + ((a + f(b, c, d) + x[k] + T[i]) <<< s).
inline void Md5Step(std::uint32_t& a, std::uint32_t b, std::uint32_t f, std::uint32_t x,
                    std::uint32_t t, int s) {
  a = b + std::rotl(a + f + x + t, s);
}

// Processes one 64-byte block into the state.
void Md5Transform(std::array<std::uint32_t, 4>& state, const std::uint8_t* block) {
  std::uint32_t x[16];
  for (int k = 0; k < 16; ++k) x[k] = LoadLittleEndian32(block + 4 * k);
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];

  Md5Step(a, b, F(b, c, d), x[0], 0xd76aa478, 7);
  Md5Step(d, a, F(a, b, c), x[1], 0xe8c7b756, 12);
  Md5Step(c, d, F(d, a, b), x[2], 0x242070db, 17);
  Md5Step(b, c, F(c, d, a), x[3], 0xc1bdceee, 22);
  Md5Step(a, b, F(b, c, d), x[4], 0xf57c0faf, 7);
  Md5Step(d, a, F(a, b, c), x[5], 0x4787c62a, 12);
  Md5Step(c, d, F(d, a, b), x[6], 0xa8304613, 17);
  Md5Step(b, c, F(c, d, a), x[7], 0xfd469501, 22);
  Md5Step(a, b, F(b, c, d), x[8], 0x698098d8, 7);
  Md5Step(d, a, F(a, b, c), x[9], 0x8b44f7af, 12);
  Md5Step(c, d, F(d, a, b), x[10], 0xffff5bb1, 17);
  Md5Step(b, c, F(c, d, a), x[11], 0x895cd7be, 22);
  Md5Step(a, b, F(b, c, d), x[12], 0x6b901122, 7);
  Md5Step(d, a, F(a, b, c), x[13], 0xfd987193, 12);
  Md5Step(c, d, F(d, a, b), x[14], 0xa679438e, 17);
  Md5Step(b, c, F(c, d, a), x[15], 0x49b40821, 22);

  Md5Step(a, b, G(b, c, d), x[1], 0xf61e2562, 5);
  Md5Step(d, a, G(a, b, c), x[6], 0xc040b340, 9);
  Md5Step(c, d, G(d, a, b), x[11], 0x265e5a51, 14);
  Md5Step(b, c, G(c, d, a), x[0], 0xe9b6c7aa, 20);
  Md5Step(a, b, G(b, c, d), x[5], 0xd62f105d, 5);
  Md5Step(d, a, G(a, b, c), x[10], 0x02441453, 9);
  Md5Step(c, d, G(d, a, b), x[15], 0xd8a1e681, 14);
  Md5Step(b, c, G(c, d, a), x[4], 0xe7d3fbc8, 20);
  Md5Step(a, b, G(b, c, d), x[9], 0x21e1cde6, 5);
  Md5Step(d, a, G(a, b, c), x[14], 0xc33707d6, 9);
  Md5Step(c, d, G(d, a, b), x[3], 0xf4d50d87, 14);
  Md5Step(b, c, G(c, d, a), x[8], 0x455a14ed, 20);
  Md5Step(a, b, G(b, c, d), x[13], 0xa9e3e905, 5);
  Md5Step(d, a, G(a, b, c), x[2], 0xfcefa3f8, 9);
  Md5Step(c, d, G(d, a, b), x[7], 0x676f02d9, 14);
  Md5Step(b, c, G(c, d, a), x[12], 0x8d2a4c8a, 20);

  Md5Step(a, b, H(b, c, d), x[5], 0xfffa3942, 4);
  Md5Step(d, a, H(a, b, c), x[8], 0x8771f681, 11);
  Md5Step(c, d, H(d, a, b), x[11], 0x6d9d6122, 16);
  Md5Step(b, c, H(c, d, a), x[14], 0xfde5380c, 23);
  Md5Step(a, b, H(b, c, d), x[1], 0xa4beea44, 4);
  Md5Step(d, a, H(a, b, c), x[4], 0x4bdecfa9, 11);
  Md5Step(c, d, H(d, a, b), x[7], 0xf6bb4b60, 16);
  Md5Step(b, c, H(c, d, a), x[10], 0xbebfbc70, 23);
  Md5Step(a, b, H(b, c, d), x[13], 0x289b7ec6, 4);
  Md5Step(d, a, H(a, b, c), x[0], 0xeaa127fa, 11);
  Md5Step(c, d, H(d, a, b), x[3], 0xd4ef3085, 16);
  Md5Step(b, c, H(c, d, a), x[6], 0x04881d05, 23);
  Md5Step(a, b, H(b, c, d), x[9], 0xd9d4d039, 4);
  Md5Step(d, a, H(a, b, c), x[12], 0xe6db99e5, 11);
  Md5Step(c, d, H(d, a, b), x[15], 0x1fa27cf8, 16);
  Md5Step(b, c, H(c, d, a), x[2], 0xc4ac5665, 23);

  Md5Step(a, b, I(b, c, d), x[0], 0xf4292244, 6);
  Md5Step(d, a, I(a, b, c), x[7], 0x432aff97, 10);
  Md5Step(c, d, I(d, a, b), x[14], 0xab9423a7, 15);
  Md5Step(b, c, I(c, d, a), x[5], 0xfc93a039, 21);
  Md5Step(a, b, I(b, c, d), x[12], 0x655b59c3, 6);
  Md5Step(d, a, I(a, b, c), x[3], 0x8f0ccc92, 10);
  Md5Step(c, d, I(d, a, b), x[10], 0xffeff47d, 15);
  Md5Step(b, c, I(c, d, a), x[1], 0x85845dd1, 21);
  Md5Step(a, b, I(b, c, d), x[8], 0x6fa87e4f, 6);
  Md5Step(d, a, I(a, b, c), x[15], 0xfe2ce6e0, 10);
  Md5Step(c, d, I(d, a, b), x[6], 0xa3014314, 15);
  Md5Step(b, c, I(c, d, a), x[13], 0x4e0811a1, 21);
  Md5Step(a, b, I(b, c, d), x[4], 0xf7537e82, 6);
  Md5Step(d, a, I(a, b, c), x[11], 0xbd3af235, 10);
  Md5Step(c, d, I(d, a, b), x[2], 0x2ad7d2bb, 15);
  Md5Step(b, c, I(c, d, a), x[9], 0xeb86d391, 21);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

void Md5Start(Md5Context& context) {
  context.state = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  context.length = 0;
}

void Md5Update(Md5Context& context, std::span<const std::uint8_t> data) {
  std::size_t used = static_cast<std::size_t>(context.length % kBlockSize);
  context.length += data.size();
  if (used > 0) {
    const std::size_t taken = std::min(kBlockSize - used, data.size());
    std::copy_n(data.data(), taken, context.pending.data() + used);
    data = data.subspan(taken);
    if (used + taken < kBlockSize) return;
    Md5Transform(context.state, context.pending.data());
  }
  while (data.size() >= kBlockSize) {
    Md5Transform(context.state, data.data());
    data = data.subspan(kBlockSize);
  }
  std::copy(data.begin(), data.end(), context.pending.begin());
}

Md5Hash Md5Finish(Md5Context& context) {
  // The message is followed by one 1 bit, zeros up to 56 bytes modulo 64, and its length
  // in bits as a 64-bit little-endian number.
  const std::uint64_t bit_length = context.length * 8;
  std::uint8_t tail[kBlockSize * 2] = {0x80};
  const std::size_t used = static_cast<std::size_t>(context.length % kBlockSize);
  const std::size_t pad = (used < 56 ? 56 : 56 + kBlockSize) - used;
  for (int i = 0; i < 8; ++i) tail[pad + i] = static_cast<std::uint8_t>(bit_length >> (8 * i));
  Md5Update(context, std::span(tail, pad + 8));

  Md5Hash digest;
  for (int i = 0; i < 4; ++i) StoreLittleEndian32(context.state[i], digest.data() + 4 * i);
  return digest;
}

std::optional<Md5Hash> Md5Digest(std::span<const std::uint8_t> data) {
  if (data.size() > kMd5MaxInputLength) return std::nullopt;
  Md5Context context;
  Md5Start(context);
  Md5Update(context, data);
  return Md5Finish(context);
}

}  // namespace pagora

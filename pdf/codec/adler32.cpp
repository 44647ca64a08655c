#include "pdf/codec/adler32.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace pagora {

namespace {

constexpr std::uint32_t kModulus = 65521;
// The most bytes that can be summed before the 32-bit sums could overflow.
constexpr std::size_t kMaxChunk = 5552;
// Bytes summed side by side: lane i sums the bytes at i, i + 16, i + 32, ... of a chunk,
// and a second sum per lane adds the first once per block, which is how often the lane's
// bytes count again in `b`. The lanes are independent, so the compiler works on many
// bytes at once; the chunk's `a` and `b` are then put together from the lanes.
constexpr std::size_t kLanes = 16;
static_assert(kMaxChunk % kLanes == 0);

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  while (!data.empty()) {
    const std::size_t chunk = std::min(data.size(), kMaxChunk);
    const std::uint8_t* bytes = data.data();
    const std::size_t blocks = chunk / kLanes;
    std::array<std::uint32_t, kLanes> sums{};
    std::array<std::uint32_t, kLanes> sums_of_sums{};
    for (std::size_t block = 0; block < blocks; ++block, bytes += kLanes) {
      for (std::size_t lane = 0; lane < kLanes; ++lane) {
        sums_of_sums[lane] += sums[lane];
        sums[lane] += bytes[lane];
      }
    }
    // A byte at lane i of block k counts in `b` once for each byte from it to the end of
    // the blocks: 16 per later block, plus 16 - i.
    b += static_cast<std::uint32_t>(blocks * kLanes) * a;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
      a += sums[lane];
      b += static_cast<std::uint32_t>(kLanes) * sums_of_sums[lane] +
           static_cast<std::uint32_t>(kLanes - lane) * sums[lane];
    }
    for (; bytes < data.data() + chunk; ++bytes) {
      a += *bytes;
      b += a;
    }
    a %= kModulus;
    b %= kModulus;
    data = data.subspan(chunk);
  }
  return (b << 16) | a;
}

}  // namespace pagora

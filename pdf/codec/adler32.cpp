#include "pdf/codec/adler32.h"

#include <algorithm>
#include <cstddef>

namespace pagora {

namespace {

constexpr std::uint32_t kModulus = 65521;
// The most bytes that can be summed before the 32-bit sums could overflow.
constexpr std::size_t kMaxChunk = 5552;

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  while (!data.empty()) {
    const std::size_t chunk = std::min(data.size(), kMaxChunk);
    for (const std::uint8_t byte : data.first(chunk)) {
      a += byte;
      b += a;
    }
    a %= kModulus;
    b %= kModulus;
    data = data.subspan(chunk);
  }
  return (b << 16) | a;
}

}  // namespace pagora

#include "pdf/codec/ascii85.h"

#include <cstddef>

namespace pagora {
namespace {

constexpr std::uint8_t kFirstDigit = '!';

std::uint32_t BigEndianGroup(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}

// Writes the five base-85 digits of `value`, most significant first.
void WriteDigits(std::uint32_t value, std::uint8_t* out) {
  for (int i = 4; i >= 0; --i) {
    out[i] = static_cast<std::uint8_t>(kFirstDigit + value % 85);
    value /= 85;
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeAscii85(std::span<const std::uint8_t> input) {
  const std::size_t n = input.size();
  std::vector<std::uint8_t> output((n + 3) / 4 * 5 + 2);
  const std::uint8_t* in = input.data();
  std::uint8_t* out = output.data();
  const std::uint8_t* const full_groups_end = in + n / 4 * 4;
  for (; in != full_groups_end; in += 4) {
    const std::uint32_t value = BigEndianGroup(in);
    if (value == 0) {
      *out++ = 'z';
    } else {
      WriteDigits(value, out);
      out += 5;
    }
  }
  if (const std::size_t tail = n % 4; tail > 0) {
    std::uint8_t padded[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < tail; ++i) padded[i] = in[i];
    std::uint8_t digits[5];
    WriteDigits(BigEndianGroup(padded), digits);
    for (std::size_t i = 0; i <= tail; ++i) *out++ = digits[i];
  }
  *out++ = '~';
  *out++ = '>';
  output.resize(static_cast<std::size_t>(out - output.data()));
  return output;
}

}  // namespace pagora

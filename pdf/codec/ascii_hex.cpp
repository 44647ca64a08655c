#include "pdf/codec/ascii_hex.h"

#include <array>
#include <cstddef>

namespace pagora {
namespace {

// Both digits of every byte value, so that each input byte is one table load and one
// two-byte store.
constexpr std::array<std::array<std::uint8_t, 2>, 256> MakeDigitPairs() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<std::array<std::uint8_t, 2>, 256> pairs{};
  for (std::size_t b = 0; b < 256; ++b) {
    pairs[b] = {static_cast<std::uint8_t>(kDigits[b >> 4]),
                static_cast<std::uint8_t>(kDigits[b & 15])};
  }
  return pairs;
}
constexpr auto kDigitPairs = MakeDigitPairs();

}  // namespace

std::vector<std::uint8_t> EncodeAsciiHex(std::span<const std::uint8_t> input) {
  std::vector<std::uint8_t> output(input.size() * 2);
  std::uint8_t* out = output.data();
  for (const std::uint8_t byte : input) {
    out[0] = kDigitPairs[byte][0];
    out[1] = kDigitPairs[byte][1];
    out += 2;
  }
  return output;
}

}  // namespace pagora

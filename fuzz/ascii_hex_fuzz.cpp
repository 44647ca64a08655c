// Hexadecimal output must be two upper-case digits per byte that decode back to the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/codec/ascii_hex.h"
#include "tests/support/stream_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto encoded = pagora::EncodeAsciiHex(input);
  if (encoded.size() != 2 * size) std::abort();
  const auto decoded = pagora::testing::DecodeAsciiHex(encoded);
  if (!decoded || !std::equal(decoded->begin(), decoded->end(), input.begin(), input.end())) {
    std::abort();
  }
  return 0;
}

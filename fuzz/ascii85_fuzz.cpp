// Base-85 output must decode back to its input and hold only digits, "z" and the end mark.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/codec/ascii85.h"
#include "tests/support/stream_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto encoded = pagora::EncodeAscii85(input);
  if (encoded.size() > (size + 3) / 4 * 5 + 2) std::abort();
  const auto decoded = pagora::testing::DecodeAscii85(encoded);
  if (!decoded || !std::equal(decoded->begin(), decoded->end(), input.begin(), input.end())) {
    std::abort();
  }
  return 0;
}

// LZW output at every level must decode back to its input through a strict decoder that
// checks each code's width, the clear codes and the end-of-data code. The first byte
// chooses the level.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/codec/lzw_encoder.h"
#include "tests/support/stream_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int level = data[0] % 4;
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const auto encoded = pagora::EncodeLzw(input, level);
  const auto decoded = pagora::testing::DecodeLzw(encoded);
  if (!decoded ||
      !std::equal(decoded->data.begin(), decoded->data.end(), input.begin(), input.end())) {
    std::abort();
  }
  for (const auto& code : decoded->codes) {
    if (code.width > std::min(10 + level, 12)) std::abort();
  }
  return 0;
}

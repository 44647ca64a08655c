// RunLength output must decode back to its input, within its size bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/codec/run_length.h"
#include "tests/support/stream_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto encoded = pagora::EncodeRunLength(input);
  if (encoded.size() > size + size / 3 + 3) std::abort();
  const auto decoded = pagora::testing::DecodeRunLength(encoded);
  if (!decoded || !std::equal(decoded->begin(), decoded->end(), input.begin(), input.end())) {
    std::abort();
  }
  return 0;
}

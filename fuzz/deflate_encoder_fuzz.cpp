// Whatever the input and level, the encoder's stream must inflate with zlib to the input.
// The first byte chooses the level; the rest is the data.
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "pdf/codec/deflate_encoder.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int level = data[0] & 3;
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const std::vector<std::uint8_t> stream = pagora::FlateEncode(input, level);

  std::vector<std::uint8_t> inflated(input.size() + 1);
  uLongf inflated_size = static_cast<uLongf>(inflated.size());
  uLong stream_size = static_cast<uLong>(stream.size());
  const int status = uncompress2(inflated.data(), &inflated_size, stream.data(), &stream_size);
  Require(status == Z_OK);
  Require(stream_size == stream.size());  // nothing after the checksum
  Require(inflated_size == input.size());
  Require(std::equal(input.begin(), input.end(), inflated.begin()));
  return 0;
}

#pragma once

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pagora::testing {

// Inflates a whole zlib stream with zlib itself. Empty when zlib rejects the stream, when
// it ends early, or when bytes are left after its end.
inline std::optional<std::vector<std::uint8_t>> ZlibInflate(std::span<const std::uint8_t> stream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  std::vector<std::uint8_t> out(stream.size() * 4 + 1024);
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  int status = Z_OK;
  while (status == Z_OK) {
    if (z.total_out == out.size()) out.resize(out.size() * 2);
    z.next_out = out.data() + z.total_out;
    z.avail_out = static_cast<uInt>(out.size() - z.total_out);
    status = inflate(&z, Z_NO_FLUSH);
  }
  const bool whole = status == Z_STREAM_END && z.avail_in == 0;
  out.resize(z.total_out);
  inflateEnd(&z);
  if (!whole) return std::nullopt;
  return out;
}

}  // namespace pagora::testing

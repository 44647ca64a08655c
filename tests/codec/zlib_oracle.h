#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "pdf/codec/inflate.h"

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

// Compresses `data` as raw Deflate (no zlib header, no checksum) at zlib's `level` (0-9).
inline std::vector<std::uint8_t> ZlibRawDeflate(std::span<const std::uint8_t> data, int level,
                                                int strategy = Z_DEFAULT_STRATEGY) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy) != Z_OK) return {};
  std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int status = ::deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (status != Z_STREAM_END) return {};
  return out;
}

enum class ZlibOutcome { kEnd, kDataError, kInputEnded, kOutputFull };

// What zlib does with a stream the engine's inflater ends with `status`.
inline ZlibOutcome OutcomeOf(InflateStatus status) {
  switch (status) {
    case InflateStatus::kOk:
      return ZlibOutcome::kEnd;
    case InflateStatus::kInvalidData:
      return ZlibOutcome::kDataError;
    case InflateStatus::kTruncated:
      return ZlibOutcome::kInputEnded;
    case InflateStatus::kTooLarge:
      break;
  }
  return ZlibOutcome::kOutputFull;
}

struct ZlibRawResult {
  ZlibOutcome outcome = ZlibOutcome::kEnd;
  std::vector<std::uint8_t> bytes;  // everything zlib wrote, up to the limit
};

// Inflates raw Deflate data with zlib, keeping at most `limit` bytes; kOutputFull means the
// stream holds more. Bytes after the end of the stream are ignored.
inline ZlibRawResult ZlibRawInflate(std::span<const std::uint8_t> stream, std::size_t limit) {
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return {ZlibOutcome::kDataError, {}};
  // One byte past the limit shows whether the stream wants more.
  const std::size_t capacity = limit + 1;
  std::vector<std::uint8_t> out(std::min(capacity, stream.size() * 4 + 1024));
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  int status = Z_OK;
  while (status == Z_OK) {
    if (z.total_out == out.size() && out.size() < capacity) {
      out.resize(std::min(capacity, out.size() * 2));
    }
    z.next_out = out.data() + z.total_out;
    z.avail_out = static_cast<uInt>(out.size() - z.total_out);
    status = inflate(&z, Z_NO_FLUSH);  // Z_BUF_ERROR once no progress is possible
  }
  const std::size_t written = z.total_out;
  inflateEnd(&z);
  ZlibRawResult result;
  result.outcome = written > limit          ? ZlibOutcome::kOutputFull
                   : status == Z_STREAM_END ? ZlibOutcome::kEnd
                   : status == Z_DATA_ERROR ? ZlibOutcome::kDataError
                                            : ZlibOutcome::kInputEnded;
  out.resize(std::min(written, limit));
  result.bytes = std::move(out);
  return result;
}

}  // namespace pagora::testing

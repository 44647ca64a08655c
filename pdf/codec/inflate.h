#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

enum class InflateStatus {
  kOk,           // the final block was decoded; bytes after it are ignored
  kInvalidData,  // a block type 3, a bad stored length, an impossible code, a bad distance
  kTruncated,    // the input ended before the final block
  kTooLarge,     // the output would pass the caller's limit
};

struct InflateResult {
  InflateStatus status = InflateStatus::kOk;
  // Everything decoded, up to the failure when status is not kOk.
  std::vector<std::uint8_t> bytes;
};

// Decompresses raw Deflate data (no zlib header, no checksum). Never reads outside `data`
// and never produces more than `max_output` bytes.
InflateResult InflateBytes(std::span<const std::uint8_t> data,
                           std::size_t max_output = std::size_t{1} << 30);

}  // namespace pagora

#pragma once

#include <cstdint>

namespace pagora {

// Bits of the compression flags: each selects one encoder that streams go through.
inline constexpr std::uint32_t kRunLengthFilter = 0x01;  // /RunLengthDecode
inline constexpr std::uint32_t kFlateFilter = 0x02;      // /FlateDecode
inline constexpr std::uint32_t kLzwFilter = 0x04;        // /LZWDecode
inline constexpr std::uint32_t kAscii85Filter = 0x08;    // /ASCII85Decode
inline constexpr std::uint32_t kAsciiHexFilter = 0x10;   // /ASCIIHexDecode

inline constexpr std::uint8_t kMaxCompressionLevel = 3;

// The document's stream encoding choice, set by SetCompression. It outlives documents:
// only Abort resets it.
struct StreamSettings {
  // An OR of the filter bits above; other bits are ignored.
  std::uint32_t flags = 0;
  // 0 to 3: the Deflate effort, and the LZW table size (largest code 2^(9 + level) - 1).
  std::uint8_t level = 0;
};

}  // namespace pagora

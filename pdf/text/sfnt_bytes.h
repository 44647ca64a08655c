#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pagora {

// Big-endian fields of a TrueType (sfnt) file. Readers check with Holds before they read;
// the getters assume the bytes are there.
using SfntBytes = std::span<const std::uint8_t>;

// True when `bytes` holds `size` bytes from `offset`, without overflowing the sum.
inline bool Holds(SfntBytes bytes, std::size_t offset, std::size_t size) {
  return offset <= bytes.size() && size <= bytes.size() - offset;
}

inline std::uint16_t ReadU16(SfntBytes bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

inline std::int16_t ReadI16(SfntBytes bytes, std::size_t offset) {
  return static_cast<std::int16_t>(ReadU16(bytes, offset));
}

inline std::uint32_t ReadU32(SfntBytes bytes, std::size_t offset) {
  return std::uint32_t{ReadU16(bytes, offset)} << 16 | ReadU16(bytes, offset + 2);
}

}  // namespace pagora

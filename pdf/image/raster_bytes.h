#pragma once

// Byte-level helpers the BMP and TGA readers share: little-endian fields, row sizes, the
// bottom-first row order and the colour-key mask texts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "pdf/image/raster_image.h"

namespace pagora {

// The little-endian field at `at`; the caller has checked that it lies inside `bytes`.
inline std::uint16_t ReadU16Le(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
inline std::uint32_t ReadU32Le(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// Bytes of one row of `width` pixels of `bits` each, padded to a whole byte. 64-bit, so
// that absurd sizes compare against the pixel limit instead of wrapping.
inline std::uint64_t PackedRowBytes(std::uint64_t width, std::uint64_t bits) {
  return (width * bits + 7) / 8;
}

// True when `rows` rows of `row_bytes` stay within `limit` bytes.
inline bool FitsPixelLimit(std::uint64_t row_bytes, std::uint64_t rows, std::size_t limit) {
  return row_bytes != 0 && rows <= limit / row_bytes;
}

// Reverses the order of the `pixels.size() / row_bytes` rows in place: a file stored top
// row first becomes the bottom-first layout the placement expects.
inline void ReverseRows(std::span<std::uint8_t> pixels, std::size_t row_bytes) {
  const std::size_t rows = pixels.size() / row_bytes;
  for (std::size_t top = 0, bottom = rows; top + 1 < bottom; ++top, --bottom) {
    std::swap_ranges(pixels.begin() + top * row_bytes, pixels.begin() + (top + 1) * row_bytes,
                     pixels.begin() + (bottom - 1) * row_bytes);
  }
}

// The /Mask content that hides one palette index: minimum and maximum, "5 5 ".
inline std::string IndexMask(int index) {
  const std::string number = std::to_string(index);
  return number + " " + number + " ";
}

// The /Mask content that hides one colour of a direct-colour picture, as minimum and
// maximum per component: pure red is "255 255 0 0 0 0 ".
inline std::string ColorKeyMask(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return IndexMask(red) + IndexMask(green) + IndexMask(blue);
}

}  // namespace pagora

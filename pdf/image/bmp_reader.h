#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "pdf/image/raster_image.h"

namespace pagora {

// Decodes a Windows or OS/2 bitmap file held in `file` into rows bottom row first.
//
// Read: information headers of 12 (OS/2, 3-byte palette entries), 40, 52, 56, 108 and 124
// bytes; 1, 2, 4 and 8 bits per pixel stay indexed with a palette of 2^bits entries (the
// colours-used count bounds the entries read, the rest are black); 16, 24 and 32 bits
// become 8-bit RGB. Compression 0 (none), 1 (RLE8), 2 (RLE4) and bit-field masks (3, and 6
// with alpha) for 16 and 32 bits; 16 bits without masks are 5-5-5. A channel of fewer than
// 8 bits is widened by a shift (5-bit 31 becomes 248). A negative height (rows stored top
// row first) is turned round.
//
// `transparent_rgb` (0xRRGGBB) makes the /Mask: for an indexed picture, the last palette
// entry of that colour ("i i "; none when no entry matches); for a direct one, the colour
// key "r r g g b b ".
//
// Run-length escapes: end of line leaves the rest of the row at index 0, end of picture
// ends decoding, a delta (dx, dy) moves right and up, leaving the skipped pixels at 0.
// Runs are clipped at the row's end. Pixel data that ends early, or runs past the last
// row, ends the picture: the rest stays zero.
//
// Status: kNotThisFormat when the file does not start with "BM"; kTruncated when it ends
// before its headers and masks or before its pixel data starts; kBadFormat for another
// header size, a depth or compression it does not decode, or a zero or negative width or a
// zero height; kTooLarge when the rows would pass `max_pixel_bytes`. Never throws, never
// reads outside `file`.
RasterReadResult ReadBmpImage(std::span<const std::uint8_t> file,
                              std::optional<std::uint32_t> transparent_rgb,
                              std::size_t max_pixel_bytes = kMaxPixelBytes);

}  // namespace pagora

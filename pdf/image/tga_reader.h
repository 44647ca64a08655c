#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "pdf/image/raster_image.h"

namespace pagora {

// Decodes a Truevision TGA file held in `file` into 8-bit rows bottom row first.
//
// Read: types 2 (true colour) and 10 (its run-length form) at 15 or 16 bits (5-5-5, each
// channel widened by a shift: 31 becomes 248, the attribute bit ignored), 24 and 32 bits,
// as DeviceRGB; types 3 and 11 (grey) at 8 bits as DeviceGray. The identification field
// and any colour map are skipped. Rows stored top row first (descriptor bit 5) are turned
// round. Run-length packets may cross rows.
//
// A 32-bit picture with 8 alpha bits gets a colour key: the colour of the last pixel whose
// alpha is 0 (in file order) becomes the /Mask "r r g g b b ", hiding every pixel of that
// colour. Other alpha values are dropped.
//
// Pixel data that ends early ends the picture: the rest stays black.
//
// The format has no signature. Status: kTruncated when the file is shorter than its
// 18-byte header plus the fields it says it skips; kBadFormat for another image type, a
// depth or alpha-bit count the type does not allow, right-to-left or interleaved rows, or
// a zero width or height; kTooLarge when the rows would pass `max_pixel_bytes`. Never throws,
// never reads outside `file`.
RasterReadResult ReadTgaImage(std::span<const std::uint8_t> file,
                              std::size_t max_pixel_bytes = kMaxPixelBytes);

}  // namespace pagora

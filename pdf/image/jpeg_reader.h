#pragma once

#include <cstdint>
#include <span>

#include "pdf/image/raster_image.h"

namespace pagora {

// The /Decode content for a four-component JPEG with an "Adobe" APP14 segment: such files
// store CMYK and YCCK inverted, and every reader shows them as a negative without it.
inline constexpr char kAdobeInvertedDecode[] = "1 0 1 0 1 0 1 0";

// Finds the frame header of a JPEG file held in `file`, without decoding any pixel.
//
// The segments after the start-of-image marker (FF D8) are passed over by their lengths,
// never scanned, up to a start-of-frame marker of any coding process (C0-C3, C5-C7, C9-CB,
// CD-CF; baseline, extended, progressive, lossless, arithmetic). The result holds the
// file's bytes from its start-of-image marker on (normally the whole file) as `pixels`
// under the fixed filter "/DCTDecode ", 8 bits per component, rows top row first, and the
// colour space of the component count: 1 DeviceGray, 3 DeviceRGB, 4 DeviceCMYK. A
// four-component file with an "Adobe" APP14 segment (before its first scan) gets the
// `decode` kAdobeInvertedDecode; no other file gets one.
//
// Status: kNotThisFormat when no FF D8 FF lies in the file; kTruncated when it ends inside
// a segment before the frame header; kBadFormat when the first scan or the end of the file
// comes without a frame header, or the frame has a zero size, a precision other than 8
// bits or a component count other than 1, 3 and 4; kTooLarge when the data would pass
// kMaxPixelBytes. Never throws, never reads outside `file`.
RasterReadResult ReadJpegImage(std::span<const std::uint8_t> file);

}  // namespace pagora

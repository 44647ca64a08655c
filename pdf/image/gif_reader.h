#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "pdf/image/raster_image.h"

namespace pagora {

// Why a GIF file gave no picture. The engine reports every reason but kNotGif as a
// run-time error; a file that is not a GIF at all is passed over in silence.
enum class GifStatus {
  kOk,
  kNotGif,        // the file does not start with "GIF87a" or "GIF89a"
  kTruncated,     // the file ends before its trailer byte (0x3B)
  kBadFormat,     // a screen of zero width or height, or an impossible LZW code size
  kNoColorTable,  // neither a global table nor a local one for the requested frame
  kFrameMissing,  // no image descriptor carries the requested frame number
  kTooLarge,      // more than kMaxPicturePixels, or a buffer past the size limit
};

// One frame of a GIF, placed on the logical screen, as an indexed image object needs it.
struct GifPicture {
  int width = 0;   // logical screen width, pixels (the image's /Width)
  int height = 0;  // logical screen height, pixels (the image's /Height)
  int bits = 0;    // bits per index: 1, 2, 4 or 8 (the image's /BitsPerComponent)
  // `height` rows of RowBytes() bytes, bottom row first, indices packed most significant
  // bits first; the bits past the last pixel of a row are filler.
  std::vector<std::uint8_t> pixels;
  // 2^bits entries of red, green, blue bytes; entries a narrower table lacked are black.
  std::vector<std::uint8_t> palette;
  // The screen's background index, shown transparent by the image's /Mask; empty when it
  // names no palette entry. The screen outside the frame holds this index (0 when empty).
  std::optional<std::uint8_t> transparent_index;

  std::size_t RowBytes() const { return (static_cast<std::size_t>(width) * bits + 7) / 8; }
};

struct GifReadResult {
  GifStatus status = GifStatus::kNotGif;
  GifPicture picture;  // meaningful only when status is kOk
};

// Decodes frame `frame` (counted from 1 over the image descriptors) of a GIF87a or GIF89a
// file held in `file`.
//
// The frame is drawn at its place on a canvas the size of the logical screen, filled with
// the background index elsewhere. Its palette is its local table, else the global one,
// widened to 1, 2, 4 or 8 bits. Extension blocks are skipped unread: the graphic control
// block's transparency, delay and disposal play no part. Bytes between blocks that start
// no block are passed over. The whole file is read up to its trailer.
//
// Never throws on bad input and never reads outside `file`. Damaged LZW data ends the
// frame early (the rest stays background); damaged block structure fails with a status.
// A screen or a frame of more than kMaxPicturePixels pixels is refused before anything is
// allocated; `max_pixel_bytes` bounds each buffer the decoder allocates (the canvas, and the
// frame at one byte per pixel).
GifReadResult ReadGifImage(std::span<const std::uint8_t> file, int frame,
                           std::size_t max_pixel_bytes = kMaxPixelBytes);

}  // namespace pagora

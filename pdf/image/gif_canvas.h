#pragma once

#include <cstdint>
#include <span>

#include "pdf/image/gif_reader.h"

namespace pagora {

// Where one GIF image sits on the logical screen, in pixels, and how its rows arrive.
struct GifFrameGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;  // rows arrive in four passes: every 8th from 0, from 4, every
                            // 4th from 2, every 2nd from 1
};

// Sizes `picture.pixels` for its width, height and bits, every pixel holding `index`.
// Precondition: index < 2^bits.
void FillGifCanvas(std::uint8_t index, GifPicture& picture);

// Writes a frame's indices (one byte per pixel, rows in the order they arrive,
// frame.width × frame.height of them) onto the canvas at the frame's place, bottom row
// first and packed to picture.bits. Pixels falling outside the screen are dropped; an index
// with no palette entry becomes 0.
void PlaceGifFrame(const GifFrameGeometry& frame, std::span<const std::uint8_t> indices,
                   GifPicture& picture);

}  // namespace pagora

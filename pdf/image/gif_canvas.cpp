#include "pdf/image/gif_canvas.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace pagora {
namespace {

// The image row that the n-th arriving row fills.
int ImageRow(int arrival, const GifFrameGeometry& frame) {
  if (!frame.interlaced) return arrival;
  static constexpr int kStart[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int rows = frame.height > kStart[pass]
                         ? (frame.height - kStart[pass] + kStep[pass] - 1) / kStep[pass]
                         : 0;
    if (arrival < rows) return kStart[pass] + arrival * kStep[pass];
    arrival -= rows;
  }
  return frame.height;  // unreachable for arrival < height
}

// Packs `count` indices into `row` from column `column` on, most significant bits first.
void PackIndices(const std::uint8_t* indices, int count, int column, int bits, std::uint8_t* row) {
  if (bits == 8) {
    std::memcpy(row + column, indices, static_cast<std::size_t>(count));
    return;
  }
  const unsigned highest = (1u << bits) - 1;
  for (int n = 0; n < count; ++n) {
    const unsigned value = indices[n] <= highest ? indices[n] : 0;
    const std::size_t bit = static_cast<std::size_t>(column + n) * bits;
    const int shift = 8 - bits - static_cast<int>(bit & 7);
    std::uint8_t& byte = row[bit >> 3];
    byte = static_cast<std::uint8_t>((byte & ~(highest << shift)) | (value << shift));
  }
}

}  // namespace

void FillGifCanvas(std::uint8_t index, GifPicture& picture) {
  assert(index < (1u << picture.bits));
  // Repeat the index across the byte so that every packed position holds it.
  std::uint8_t fill = index;
  for (int filled = picture.bits; filled < 8; filled *= 2) {
    fill = static_cast<std::uint8_t>(fill | (fill << filled));
  }
  picture.pixels.assign(picture.RowBytes() * static_cast<std::size_t>(picture.height), fill);
}

void PlaceGifFrame(const GifFrameGeometry& frame, std::span<const std::uint8_t> indices,
                   GifPicture& picture) {
  assert(indices.size() >= static_cast<std::size_t>(frame.width) * frame.height);
  if (frame.left >= picture.width || frame.top >= picture.height) return;
  const int visible = std::min(frame.width, picture.width - frame.left);
  const std::size_t row_bytes = picture.RowBytes();
  for (int arrival = 0; arrival < frame.height; ++arrival) {
    const int y = frame.top + ImageRow(arrival, frame);
    if (y >= picture.height) continue;
    std::uint8_t* row = picture.pixels.data() + (picture.height - 1 - y) * row_bytes;
    PackIndices(indices.data() + static_cast<std::size_t>(arrival) * frame.width, visible,
                frame.left, picture.bits, row);
  }
}

}  // namespace pagora

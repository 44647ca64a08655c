#pragma once

// What every BMP or TGA picture the fuzz targets get back must satisfy.
#include <cstddef>
#include <cstdlib>

#include "pdf/image/raster_image.h"

namespace pagora::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// Keeps each run quick; the full limit is exercised by the unit tests.
inline constexpr std::size_t kFuzzPixelLimit = std::size_t{16} << 20;

inline void CheckDecodedRaster(const RasterReadResult& result) {
  if (result.status != PictureStatus::kOk) return;
  const RasterImage& image = result.image;
  Require(image.width > 0 && image.height > 0);
  Require(image.bits == 1 || image.bits == 2 || image.bits == 4 || image.bits == 8);
  Require(image.Indexed() || image.bits == 8);
  const std::size_t channels = image.Indexed() || image.color_space == "DeviceGray" ? 1 : 3;
  const std::size_t row_bytes =
      (channels * static_cast<std::size_t>(image.width) * image.bits + 7) / 8;
  Require(image.pixels.size() == row_bytes * static_cast<std::size_t>(image.height));
  Require(image.pixels.size() <= kFuzzPixelLimit);
  Require(!image.Indexed() || image.palette.size() == std::size_t{3} << image.bits);
  Require(image.fixed_filter.empty() && image.decode.empty() && !image.top_row_first);
}

}  // namespace pagora::fuzz

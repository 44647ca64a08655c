#pragma once

#include <filesystem>

#include "pdf/image/raster_image.h"
#include "tests/support/pdf_checker.h"

namespace pagora::testing {

// The colour of pixel (x, y) of a decoded BMP or TGA picture, y counted from the top row.
Rgb PixelAt(const RasterImage& image, int x, int y);

// ImageMagick's decode of a picture file without its alpha, top row first. ImageMagick keeps
// a TGA's rows in file order and only notes their orientation, so it is applied here.
::testing::AssertionResult DecodeWithImageMagick(const std::filesystem::path& file,
                                                 const TempDir& dir, Raster* raster);

}  // namespace pagora::testing

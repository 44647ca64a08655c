#pragma once

// The picture formats DrawImage knows, looked up by the file name's extension: raster
// readers, whose pictures become image XObjects read once per document, and vector
// translators, whose pictures become page content on every call.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "pdf/core/runtime_error.h"
#include "pdf/image/raster_image.h"
#include "pdf/image/vector_picture.h"

namespace pagora {

// What a raster reader is asked for besides the file's bytes.
struct RasterRequest {
  int frame = 1;                                 // which image of a GIF, from 1
  std::optional<std::uint32_t> transparent_rgb;  // BMP colour key, 0xRRGGBB
};

using RasterReader = RasterReadResult (*)(std::span<const std::uint8_t> file,
                                          const RasterRequest& request);
using VectorTranslator = VectorPicture (*)(std::span<const std::uint8_t> file,
                                           const PicturePlacement& placement);

// The reader or translator for an upper-cased file name, or nullptr for none.
RasterReader FindRasterReader(std::string_view upper_name);
VectorTranslator FindVectorTranslator(std::string_view upper_name);

// The run-time error a reader's status reports through DrawImage's error convention.
std::optional<ErrorNumber> PictureStatusError(PictureStatus status);

}  // namespace pagora

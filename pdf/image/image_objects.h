#pragma once

// Helpers of picture placement over the document.

#include <string>
#include <string_view>

#include "pdf/core/document.h"
#include "pdf/image/picture_readers.h"

namespace pagora {

// Reads new entry `number` of the image table from `file_name` with `reader` into an image
// XObject listed in the image resources, recording any failure under "DrawImage".
void ReadRasterEntry(Document& doc, int number, const std::string& file_name, RasterReader reader,
                     const std::string& transparent_color);

// Appends the content of a vector picture, translated anew on every call, recording any
// failure under "DrawImage".
void PlayVectorPicture(Document& doc, VectorTranslator translate, const std::string& file_name,
                       const PicturePlacement& placement);

// Writes `image` as an image XObject named `name` (and, for indexed colour, its palette as
// the next object); returns its number.
int WriteImageObject(Document& doc, const RasterImage& image, std::string_view name);

}  // namespace pagora

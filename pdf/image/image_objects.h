#pragma once

// Helpers of picture placement over the document.

#include <string>
#include <string_view>

#include "pdf/core/document.h"

namespace pagora {

// Reads the frame of new GIF entry `number` from `file_name` into an image XObject,
// recording any failure.
void ReadGifEntry(Document& doc, int number, const std::string& file_name);

// Writes an image XObject (and, for indexed colour, its palette as the next object) and
// returns its number. `format` "GIF", "BMP", "TGA" or "JPG" chooses the colour space
// (`color_space` for "JPG") and whether `bits` are direct colour; `mask` is the /Mask array
// content, empty for none; `fixed_filter` sends the data as it is under that filter.
int WriteImageObject(Document& doc, std::string_view format, std::string_view pixels,
                     std::string_view palette, int width, int height, int bits,
                     std::string_view name, std::string_view color_space,
                     std::string_view fixed_filter, std::string_view mask);

}  // namespace pagora

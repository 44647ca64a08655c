#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// One raster picture read into the document: an image XObject named "/_IMG_" followed by
// the entry's number in the table.
struct ImageEntry {
  std::string name;              // the file name as drawn, upper-cased
  std::int32_t pixel_width = 0;  // 0 while no XObject was written for the picture
  std::int32_t pixel_height = 0;
  std::int16_t frame = 0;      // the frame number it was drawn with, part of the key
  bool top_row_first = false;  // rows stored top first (JPEG): placed with a flipped matrix
};

// The document's raster pictures, numbered from 1 (slot 0 is never used). Emptied when a
// document begins or is aborted.
struct ImageState {
  std::vector<ImageEntry> entries;
  std::int32_t count = 0;
};

// The number of the entry with this upper-cased name and frame, or 0 when there is none.
int FindImage(const ImageState& images, std::string_view upper_name, std::int16_t frame);

// Adds an entry and returns its number. The table grows by the document's memory-usage
// factor. RuntimeError 6 past 32767 entries.
int AddImage(ImageState& images, std::string upper_name, std::int16_t frame,
             std::uint8_t memory_factor);

}  // namespace pagora

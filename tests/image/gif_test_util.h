#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "pdf/image/gif_reader.h"
#include "tests/support/pdf_checker.h"

namespace pagora::testing {

// The palette index of pixel (x, y) of a decoded picture, y counted from the top row.
int IndexAt(const GifPicture& picture, int x, int y);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// A file of tests/data.
std::filesystem::path TestData(std::string_view name);

// The independent decoder the pixels are checked against.
inline constexpr const char* kImageMagick = "convert-im6.q16";

// One frame as ImageMagick decodes it: its own pixels (RGBA, top row first) and its place
// on the screen.
struct MagickFrame {
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
  std::vector<std::uint8_t> rgba;
};

// ImageMagick's decode of frame `index` (from 0) of a GIF; scratch files go into `dir`.
MagickFrame DecodeWithImageMagick(const std::filesystem::path& gif, int index, const TempDir& dir);
int ImageMagickFrameCount(const std::filesystem::path& gif);

}  // namespace pagora::testing

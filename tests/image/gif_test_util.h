#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "pdf/image/gif_reader.h"

namespace pagora::testing {

// The palette index of pixel (x, y) of a decoded picture, y counted from the top row.
int IndexAt(const GifPicture& picture, int x, int y);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// A file of tests/data.
std::filesystem::path TestData(std::string_view name);

}  // namespace pagora::testing

#include "tests/image/gif_test_util.h"

#include <fstream>
#include <iterator>

namespace pagora::testing {

int IndexAt(const GifPicture& picture, int x, int y) {
  const std::size_t row = static_cast<std::size_t>(picture.height - 1 - y) * picture.RowBytes();
  const std::size_t bit = static_cast<std::size_t>(x) * picture.bits;
  const int shift = 8 - picture.bits - static_cast<int>(bit % 8);
  return (picture.pixels.at(row + bit / 8) >> shift) & ((1 << picture.bits) - 1);
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path TestData(std::string_view name) {
  return std::filesystem::path(PAGORA_TEST_DATA) / name;
}

}  // namespace pagora::testing

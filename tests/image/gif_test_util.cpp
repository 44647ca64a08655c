#include "tests/image/gif_test_util.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

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

MagickFrame DecodeWithImageMagick(const std::filesystem::path& gif, int index, const TempDir& dir) {
  const std::string frame = ShellQuote(gif.string() + "[" + std::to_string(index) + "]");
  const std::string raw = (dir / "frame.rgba").string();
  const auto info =
      RunCommand(std::string(kImageMagick) + " " + frame + " -format '%w %h %X %Y' info: && " +
                 kImageMagick + " " + frame + " -depth 8 rgba:" + ShellQuote(raw));
  MagickFrame result;
  EXPECT_EQ(info.exit_code, 0) << info.output;
  EXPECT_EQ(std::sscanf(info.output.c_str(), "%d %d %d %d", &result.width, &result.height,
                        &result.left, &result.top),
            4)
      << info.output;
  result.rgba = ReadBytes(raw);
  EXPECT_EQ(result.rgba.size(), 4u * result.width * result.height);
  return result;
}

int ImageMagickFrameCount(const std::filesystem::path& gif) {
  const auto info = RunCommand(std::string(kImageMagick) + " " + ShellQuote(gif.string()) +
                               " -format '%n\\n' info:");
  return std::atoi(info.output.c_str());
}

}  // namespace pagora::testing

#include "tests/image/raster_test_util.h"

#include <string>

#include "tests/image/gif_test_util.h"

namespace pagora::testing {

Rgb PixelAt(const RasterImage& image, int x, int y) {
  const std::size_t row = static_cast<std::size_t>(image.height - 1 - y);
  if (image.Indexed()) {
    const std::size_t row_bytes = (static_cast<std::size_t>(image.width) * image.bits + 7) / 8;
    const std::size_t bit = static_cast<std::size_t>(x) * image.bits;
    const int shift = 8 - image.bits - static_cast<int>(bit % 8);
    const int index =
        (image.pixels.at(row * row_bytes + bit / 8) >> shift) & ((1 << image.bits) - 1);
    return {image.palette.at(3 * index), image.palette.at(3 * index + 1),
            image.palette.at(3 * index + 2)};
  }
  const std::size_t channels = image.color_space == "DeviceGray" ? 1 : 3;
  const std::size_t at = (row * image.width + x) * channels;
  const std::uint8_t* pixel = &image.pixels.at(at + channels - 1) - (channels - 1);
  return channels == 1 ? Rgb{pixel[0], pixel[0], pixel[0]} : Rgb{pixel[0], pixel[1], pixel[2]};
}

::testing::AssertionResult DecodeWithImageMagick(const std::filesystem::path& file,
                                                 const TempDir& dir, Raster* raster) {
  const auto ppm = dir / "decoded.ppm";
  const CommandResult run =
      RunCommand(std::string(kImageMagick) + " " + ShellQuote(file.string()) +
                 " -auto-orient -strip -alpha off -depth 8 " + ShellQuote("ppm:" + ppm.string()));
  if (run.exit_code != 0 || !ReadPpm(ppm, raster)) {
    return ::testing::AssertionFailure()
           << kImageMagick << " cannot decode " << file << ": " << run.output;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace pagora::testing

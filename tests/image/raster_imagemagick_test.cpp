// Pixel truth: every BMP and TGA picture the readers decode must show the colours
// ImageMagick decodes from the same file, within 2 levels, or 8 where 5- and 6-bit
// channels are widened by a shift (ImageMagick repeats the high bits instead).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "pdf/image/bmp_reader.h"
#include "pdf/image/tga_reader.h"
#include "tests/image/gif_test_util.h"
#include "tests/image/raster_test_util.h"

namespace pagora {
namespace {

using testing::kImageMagick;
using testing::TempDir;

bool HaveImageMagick() {
  return testing::RunCommand(std::string("command -v ") + kImageMagick).exit_code == 0;
}

RasterReadResult Read(const std::filesystem::path& file) {
  const auto bytes = testing::ReadBytes(file);
  return file.extension() == ".bmp" ? ReadBmpImage(bytes, std::nullopt) : ReadTgaImage(bytes);
}

void ExpectMatchesImageMagick(const std::filesystem::path& file, int tolerance) {
  const RasterReadResult result = Read(file);
  ASSERT_EQ(result.status, PictureStatus::kOk);
  const RasterImage& image = result.image;
  TempDir dir;
  testing::Raster magick;
  ASSERT_TRUE(testing::DecodeWithImageMagick(file, dir, &magick));
  ASSERT_EQ(image.width, magick.width);
  ASSERT_EQ(image.height, magick.height);
  int mismatches = 0;
  std::string first;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (!testing::NearColor(testing::PixelAt(image, x, y), magick.At(x, y), tolerance) &&
          mismatches++ == 0) {
        first = std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "first at " << first;
}

TEST(RasterPixelTruthTest, EverySample) {
  if (!HaveImageMagick()) GTEST_SKIP() << kImageMagick << " is not installed";
  for (const char* kind : {"bmp", "tga"}) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::TestData(kind))) {
      const std::string name = entry.path().filename().string();
      SCOPED_TRACE(name);
      if (name == "gtk-logo-cmap-8bpp-bottom-left.tga") continue;  // colour-mapped: refused
      ExpectMatchesImageMagick(entry.path(), name == "bmpsuite-rgb16.bmp" ? 8 : 2);
    }
  }
}

struct Generated {
  const char* file;  // ImageMagick's format, a colon, the name
  const char* options;
  int tolerance = 2;
};

class GeneratedRasterTest : public ::testing::TestWithParam<Generated> {};

TEST_P(GeneratedRasterTest, MatchesImageMagick) {
  if (!HaveImageMagick()) GTEST_SKIP() << kImageMagick << " is not installed";
  TempDir dir;
  const std::string format_and_name = GetParam().file;
  const std::size_t colon = format_and_name.find(':');
  const auto file = dir / format_and_name.substr(colon + 1);
  const auto made = testing::RunCommand(
      std::string(kImageMagick) + " -size 37x23 -seed 1 plasma:fractal " + GetParam().options +
      " " + testing::ShellQuote(format_and_name.substr(0, colon + 1) + file.string()));
  ASSERT_EQ(made.exit_code, 0) << made.output;
  ExpectMatchesImageMagick(file, GetParam().tolerance);
}

// 124-byte headers with bit fields, OS/2 headers, RLE8, grey and top-first TGA.
INSTANTIATE_TEST_SUITE_P(
    ImageMagickMade, GeneratedRasterTest,
    ::testing::Values(Generated{"BMP:v5_24.bmp", ""},
                      Generated{"BMP:v5_565.bmp", "-define bmp:subtype=RGB565", 8},
                      Generated{"BMP:v5_555.bmp", "-define bmp:subtype=RGB555", 8},
                      Generated{"BMP:v5_argb.bmp", "-alpha set -channel A -evaluate set 50%"},
                      Generated{"BMP2:os2_24.bmp", ""}, Generated{"BMP2:os2_4.bmp", "-colors 16"},
                      Generated{"BMP3:pal1.bmp", "-colors 2"},
                      Generated{"BMP3:rle8.bmp", "-colors 200 -compress RLE"},
                      Generated{"TGA:rle.tga", "-compress RLE"},
                      Generated{"TGA:grey.tga", "-type Grayscale"},
                      Generated{"TGA:grey_rle.tga", "-type Grayscale -compress RLE"},
                      Generated{"TGA:top.tga", "-orient TopLeft"}),
    [](const auto& param_info) {
      std::string name = param_info.param.file;
      name = name.substr(name.find(':') + 1);
      return name.substr(0, name.find('.'));
    });

}  // namespace
}  // namespace pagora

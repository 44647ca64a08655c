// Pixel truth: every BMP and TGA picture the readers decode must show the colours
// ImageMagick decodes from the same file, within 2 levels, or 8 where 5- and 6-bit
// channels are widened by a shift (ImageMagick repeats the high bits instead).
#include <gtest/gtest.h>

#include <string>

#include "pdf/image/bmp_reader.h"
#include "pdf/image/tga_reader.h"
#include "tests/image/gif_test_util.h"
#include "tests/image/raster_test_util.h"

namespace pagora {
namespace {

using testing::kImageMagick;
using testing::TempDir;

struct Sample {
  const char* name;  // under tests/data, or the file ImageMagick makes
  int tolerance;
  const char* arguments = nullptr;  // ImageMagick's, before the output file; null for data
};

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

class RasterPixelTruthTest : public ::testing::TestWithParam<Sample> {};

TEST_P(RasterPixelTruthTest, MatchesImageMagick) {
  if (!HaveImageMagick()) GTEST_SKIP() << kImageMagick << " is not installed";
  const Sample& sample = GetParam();
  if (sample.arguments == nullptr) {
    ExpectMatchesImageMagick(testing::TestData(sample.name), sample.tolerance);
    return;
  }
  TempDir dir;
  const std::string name = sample.name;
  const auto file = dir / name.substr(name.find(':') + 1);
  const auto made =
      testing::RunCommand(std::string(kImageMagick) + " " + sample.arguments + " " +
                          testing::ShellQuote(name.substr(0, name.find(':') + 1) + file.string()));
  ASSERT_EQ(made.exit_code, 0) << made.output;
  ExpectMatchesImageMagick(file, sample.tolerance);
}

constexpr const char* kPlasma = "-size 37x23 -seed 1 plasma:fractal";

INSTANTIATE_TEST_SUITE_P(
    Samples, RasterPixelTruthTest,
    ::testing::Values(
        Sample{"bmp/bmpsuite-pal1.bmp", 2}, Sample{"bmp/bmpsuite-pal4rle.bmp", 2},
        Sample{"bmp/bmpsuite-pal8os2.bmp", 2}, Sample{"bmp/bmpsuite-rgb16.bmp", 8},
        Sample{"bmp/bmpsuite-rgb32.bmp", 2}, Sample{"bmp/nsis-Checks-classic.bmp", 2},
        Sample{"bmp/nsis-Checks-simple.bmp", 2}, Sample{"bmp/nsis-Header-nsis.bmp", 2},
        Sample{"bmp/nsis-Header-nsis3-metro.bmp", 2}, Sample{"bmp/wx-SVGlogo24.bmp", 2},
        Sample{"bmp/wx-bitmap2.bmp", 2}, Sample{"bmp/wx-horse.bmp", 2},
        Sample{"bmp/wx-mask.bmp", 2}, Sample{"bmp/xi-yellow_rose-small.bmp", 2},
        Sample{"tga/gtk-logo-24bpp-bottom-left.tga", 2},
        Sample{"tga/gtk-logo-24bpp-top-left.tga", 2},
        Sample{"tga/gtk-logo-32bpp-bottom-left.tga", 2},
        Sample{"tga/gtk-logo-rle-24bpp-bottom-left.tga", 2},
        Sample{"tga/gtk-logo-rle-32bpp-bottom-left.tga", 2},
        Sample{"tga/pil-200x32_rgb_bl_rle.tga", 2}, Sample{"tga/pil-tga_id_field.tga", 2},
        // Made by ImageMagick: 124-byte headers with bit fields, OS/2 headers, RLE8.
        Sample{"BMP:v5_24.bmp", 2, kPlasma},
        Sample{"BMP:v5_565.bmp", 8,
               "-size 37x23 -seed 1 plasma:fractal -define bmp:subtype=RGB565"},
        Sample{"BMP:v5_555.bmp", 8,
               "-size 37x23 -seed 1 plasma:fractal -define bmp:subtype=RGB555"},
        Sample{"BMP:v5_argb.bmp", 2,
               "-size 37x23 -seed 1 plasma:fractal -alpha set -channel A -evaluate set 50%"},
        Sample{"BMP2:os2_24.bmp", 2, kPlasma},
        Sample{"BMP2:os2_4.bmp", 2, "-size 37x23 -seed 1 plasma:fractal -colors 16"},
        Sample{"BMP3:pal1.bmp", 2, "-size 37x23 -seed 1 plasma:fractal -colors 2"},
        Sample{"BMP3:rle8.bmp", 2, "-size 37x23 -seed 1 plasma:fractal -colors 200 -compress RLE"},
        Sample{"TGA:rle.tga", 2, "-size 37x23 -seed 1 plasma:fractal -compress RLE"},
        Sample{"TGA:grey.tga", 2, "-size 37x23 -seed 1 plasma:fractal -type Grayscale"},
        Sample{"TGA:grey_rle.tga", 2,
               "-size 37x23 -seed 1 plasma:fractal -type Grayscale -compress RLE"},
        Sample{"TGA:top.tga", 2, "-size 37x23 -seed 1 plasma:fractal -orient TopLeft"}),
    [](const auto& param_info) {
      std::string name = param_info.param.name;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

}  // namespace
}  // namespace pagora

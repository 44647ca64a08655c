// Every sample picture drawn at one point per pixel, rendered by MuPDF at 72 dpi and by
// poppler, and compared with ImageMagick's decode of the same file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "pdf/core/pagora.h"
#include "tests/image/raster_test_util.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::Raster;
using testing::Renderer;

const std::filesystem::path kData = PAGORA_TEST_DATA_DIR;

struct Comparison {
  int worst = 0;            // largest channel difference over the pixels compared
  double mean = 0;          // mean channel difference
  int white_where_off = 0;  // differing pixels that show the page's white
};

Comparison Compare(const Raster& drawn, const Raster& expected, int tolerance) {
  Comparison c;
  long long total = 0;
  long long count = 0;
  const int width = std::min(drawn.width, expected.width);
  const int height = std::min(drawn.height, expected.height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto a = drawn.At(x, y);
      const auto b = expected.At(x, y);
      int pixel_worst = 0;
      for (int i = 0; i < 3; ++i) {
        const int d = std::abs(a[i] - b[i]);
        pixel_worst = std::max(pixel_worst, d);
        total += d;
        ++count;
      }
      if (pixel_worst > tolerance && a == testing::Rgb{255, 255, 255}) {
        ++c.white_where_off;
      } else {
        c.worst = std::max(c.worst, pixel_worst);
      }
    }
  }
  c.mean = count > 0 ? static_cast<double>(total) / static_cast<double>(count) : 0;
  return c;
}

class DrawnPicturesTest : public ::testing::Test {
 protected:
  // Draws `file` at one point per pixel in the top-left corner and renders the page.
  Raster DrawAndRender(const std::filesystem::path& file, Renderer renderer) {
    const auto pdf = dir_ / "picture.pdf";
    int error = -1;
    testing::WriteOnePage(pdf, [&](Pagora& d) {
      d.DrawImage(file.string(), 0, 0);
      error = d.ErrNumber();
    });
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(testing::QpdfChecksClean(pdf));
    Raster raster;
    EXPECT_TRUE(testing::Render(pdf, renderer, 1, 72, &raster));
    return raster;
  }

  testing::TempDir dir_;
};

// MuPDF samples without smoothing, so every pixel matches within 2 levels, or within 8 for
// 16-bit pictures, whose 5-bit channels are widened by a shift where ImageMagick repeats the
// high bits. A colour key shows the page's white where ImageMagick shows the keyed colour.
TEST_F(DrawnPicturesTest, BmpAndTgaPixelsMatchImageMagick) {
  const struct {
    const char* file;
    int tolerance;
    bool keyed;
  } cases[] = {
      {"bmp/bmpsuite-pal1.bmp", 2, false},
      {"bmp/bmpsuite-pal4rle.bmp", 2, false},
      {"bmp/bmpsuite-pal8os2.bmp", 2, false},
      {"bmp/bmpsuite-rgb16.bmp", 8, false},
      {"bmp/bmpsuite-rgb32.bmp", 2, false},
      {"bmp/nsis-Checks-classic.bmp", 2, false},
      {"bmp/nsis-Header-nsis3-metro.bmp", 2, false},
      {"bmp/wx-SVGlogo24.bmp", 2, false},
      {"bmp/wx-horse.bmp", 2, false},
      {"bmp/xi-yellow_rose-small.bmp", 2, false},
      {"tga/gtk-logo-24bpp-bottom-left.tga", 2, false},
      {"tga/gtk-logo-24bpp-top-left.tga", 2, false},
      {"tga/gtk-logo-rle-24bpp-bottom-left.tga", 2, false},
      {"tga/gtk-logo-32bpp-bottom-left.tga", 2, true},
      {"tga/pil-200x32_rgb_bl_rle.tga", 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Raster expected;
    ASSERT_TRUE(testing::DecodeWithImageMagick(kData / c.file, dir_, &expected));
    const Comparison result =
        Compare(DrawAndRender(kData / c.file, Renderer::kMupdf), expected, c.tolerance);
    EXPECT_LE(result.worst, c.tolerance);
    if (!c.keyed) {
      EXPECT_EQ(result.white_where_off, 0);
    }
  }
}

// JPEG data is embedded as it is and decoded by each renderer; the Adobe CMYK file would be
// some 190 levels off if it were shown as a negative. Poppler blends neighbouring pixels at
// this scale, so its renders are held to a looser mean.
TEST_F(DrawnPicturesTest, JpegRendersCloseToImageMagicksDecode) {
  const struct {
    const char* file;
    double mean_limit;
  } cases[] = {
      {"jpeg/go-video-001.jpeg", 4},
      {"jpeg/go-video-001.progressive.jpeg", 4},
      {"jpeg/go-video-001.q50.420.jpeg", 4},
      {"jpeg/go-video-005.gray.jpeg", 4},
      {"jpeg/wx-horse.jpg", 4},
      {"jpeg/go-video-001.cmyk.jpeg", 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Raster expected;
    ASSERT_TRUE(testing::DecodeWithImageMagick(kData / c.file, dir_, &expected));
    for (const Renderer renderer : {Renderer::kMupdf, Renderer::kPoppler}) {
      const Comparison result = Compare(DrawAndRender(kData / c.file, renderer), expected, 255);
      const double limit = renderer == Renderer::kMupdf ? c.mean_limit : c.mean_limit + 12;
      EXPECT_LT(result.mean, limit) << (renderer == Renderer::kMupdf ? "MuPDF" : "poppler");
    }
  }
}

}  // namespace
}  // namespace pagora

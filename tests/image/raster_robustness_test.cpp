// Truncated and corrupted sample pictures give a status or a consistent picture, never a
// crash or a read outside the file (the tests run under AddressSanitizer).
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "pdf/image/bmp_reader.h"
#include "pdf/image/jpeg_reader.h"
#include "pdf/image/tga_reader.h"
#include "tests/image/gif_test_util.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

RasterReadResult Read(const std::string& kind, std::span<const std::uint8_t> file) {
  if (kind == "bmp") return ReadBmpImage(file, 0xFFFFFF);
  if (kind == "tga") return ReadTgaImage(file);
  return ReadJpegImage(file);
}

void ExpectConsistent(const std::string& kind, std::span<const std::uint8_t> file) {
  const RasterReadResult result = Read(kind, file);
  if (result.status != PictureStatus::kOk) return;
  const RasterImage& image = result.image;
  ASSERT_GT(image.width, 0);
  ASSERT_GT(image.height, 0);
  if (kind == "jpeg") return;
  const std::size_t channels = image.Indexed() || image.color_space == "DeviceGray" ? 1 : 3;
  const std::size_t row_bytes = (std::size_t{channels} * image.width * image.bits + 7) / 8;
  ASSERT_EQ(image.pixels.size(), row_bytes * image.height);
  if (image.Indexed()) {
    ASSERT_EQ(image.palette.size(), std::size_t{3} << image.bits);
  }
}

TEST(RasterRobustnessTest, DamagedSamples) {
  std::mt19937 random(14);
  for (const std::string kind : {"bmp", "tga", "jpeg"}) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::TestData(kind))) {
      SCOPED_TRACE(entry.path().filename().string());
      const Bytes file = testing::ReadBytes(entry.path());
      for (std::size_t size = 0; size < file.size(); size += size < 200 ? 1 : file.size() / 64) {
        ExpectConsistent(kind, std::span(file).first(size));
      }
      std::uniform_int_distribution<std::size_t> position(0, file.size() - 1);
      std::uniform_int_distribution<int> byte(0, 255);
      for (int i = 0; i < 300; ++i) {
        Bytes damaged = file;
        // Headers first: most damage there changes sizes, depths and offsets.
        damaged[i < 200 ? position(random) % 128 : position(random)] =
            static_cast<std::uint8_t>(byte(random));
        ExpectConsistent(kind, damaged);
      }
    }
  }
}

}  // namespace
}  // namespace pagora

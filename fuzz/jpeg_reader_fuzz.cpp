// The JPEG scan must stay inside its input, finish, and either refuse the file or embed the
// file's bytes from a start-of-image marker on, with a frame's size and colour space.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "pdf/image/jpeg_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const pagora::RasterReadResult result = pagora::ReadJpegImage({data, size});
  if (result.status != pagora::PictureStatus::kOk) return 0;
  const pagora::RasterImage& image = result.image;
  Require(image.width > 0 && image.height > 0 && image.bits == 8);
  Require(image.color_space == "DeviceGray" || image.color_space == "DeviceRGB" ||
          (image.color_space == "DeviceCMYK"));
  Require(image.decode.empty() ||
          (image.color_space == "DeviceCMYK" && image.decode == pagora::kAdobeInvertedDecode));
  Require(image.pixels.size() >= 3 && image.pixels.size() <= size);
  Require(std::memcmp(image.pixels.data(), data + size - image.pixels.size(),
                      image.pixels.size()) == 0);
  Require(image.pixels[0] == 0xFF && image.pixels[1] == 0xD8 && image.pixels[2] == 0xFF);
  Require(image.fixed_filter == "/DCTDecode " && image.top_row_first && image.palette.empty());
  return 0;
}

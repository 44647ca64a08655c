// The TGA reader must stay inside its input, finish, and either refuse the file or hand
// back a picture whose buffers agree with its size.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/raster_fuzz_checks.h"
#include "pdf/image/tga_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const pagora::RasterReadResult result = pagora::ReadTgaImage(file, pagora::fuzz::kFuzzPixelLimit);
  pagora::fuzz::CheckDecodedRaster(result);
  pagora::fuzz::Require(result.status != pagora::PictureStatus::kOk || !result.image.Indexed());
  return 0;
}

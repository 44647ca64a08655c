// The BMP reader must stay inside its input, finish, and either refuse the file or hand
// back a picture whose buffers agree with its size and depth.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "fuzz/raster_fuzz_checks.h"
#include "pdf/image/bmp_reader.h"

// The first byte, when odd, asks for a transparent colour made of the next three; the rest
// is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::optional<std::uint32_t> transparent;
  if (data[0] & 1) transparent = (std::uint32_t{data[1]} << 16) | (data[2] << 8) | data[3];
  const std::span<const std::uint8_t> file(data + 4, size - 4);
  pagora::fuzz::CheckDecodedRaster(
      pagora::ReadBmpImage(file, transparent, pagora::fuzz::kFuzzPixelLimit));
  return 0;
}

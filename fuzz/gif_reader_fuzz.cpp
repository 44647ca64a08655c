// The GIF reader must stay inside its input, finish, and either refuse the file or hand
// back a picture whose buffers agree with its size and depth.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/image/gif_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Keeps each run quick; the full limit is exercised by the unit tests.
constexpr std::size_t kFuzzPixelLimit = std::size_t{16} << 20;

}  // namespace

// The first byte picks the frame (1 to 4); the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int frame = 1 + data[0] % 4;
  const std::span<const std::uint8_t> file(data + 1, size - 1);
  const pagora::GifReadResult result = pagora::ReadGifImage(file, frame, kFuzzPixelLimit);
  if (result.status != pagora::GifStatus::kOk) return 0;
  const pagora::GifPicture& picture = result.picture;
  Require(picture.bits == 1 || picture.bits == 2 || picture.bits == 4 || picture.bits == 8);
  Require(picture.width > 0 && picture.height > 0);
  Require(picture.pixels.size() == picture.RowBytes() * picture.height);
  Require(picture.pixels.size() <= kFuzzPixelLimit);
  Require(picture.palette.size() == std::size_t{3} << picture.bits);
  Require(!picture.transparent_index || *picture.transparent_index < (1u << picture.bits));
  return 0;
}

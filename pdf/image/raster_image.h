#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pagora {

// Why a picture file gave no picture. Every reader answers with one of these; the engine
// maps them to run-time errors in one place (PictureStatusError).
enum class PictureStatus {
  kOk,
  kNotThisFormat,  // the file does not carry the format's signature
  kTruncated,      // the file ends before the picture does
  kBadFormat,      // a header or structure the reader cannot decode
  kTooLarge,       // the pixel buffer would pass the size limit
};

// The largest pixel buffer a reader may allocate; a bigger picture is refused.
inline constexpr std::size_t kMaxPixelBytes = std::size_t{256} << 20;
// The most pixels a picture may have, 64 megapixels: far beyond what any page can show
// (a metre-wide billboard at 200 dpi needs about 12), so a bigger one is refused rather
// than decoded and embedded.
inline constexpr std::size_t kMaxPicturePixels = std::size_t{64} * 1000 * 1000;

// One raster picture as an image XObject needs it.
struct RasterImage {
  int width = 0;   // pixels (/Width)
  int height = 0;  // pixels (/Height)
  // Bits per palette index (1, 2, 4 or 8) when `palette` is not empty, else bits per
  // colour component (8).
  int bits = 8;
  std::string color_space = "DeviceRGB";  // DeviceGray, DeviceRGB or DeviceCMYK
  // Rows bottom row first (so the plain placement matrix shows them upright), each row
  // padded to a whole byte; for a picture with `fixed_filter`, the encoded data as it is.
  std::vector<std::uint8_t> pixels;
  // Three bytes (red, green, blue) per entry, 2^bits entries; empty for direct colour.
  std::vector<std::uint8_t> palette;
  // A filter the pixels already went through ("/DCTDecode "); empty lets the document's
  // compression apply.
  std::string fixed_filter;
  // The /Mask array content ("3 3 "), empty for none.
  std::string mask;
  // The /Decode array content, empty for none.
  std::string decode;
  // Rows are stored top row first (JPEG): the placement flips them.
  bool top_row_first = false;

  bool Indexed() const { return !palette.empty(); }
};

struct RasterReadResult {
  PictureStatus status = PictureStatus::kNotThisFormat;
  RasterImage image;  // meaningful only when status is kOk
};

}  // namespace pagora

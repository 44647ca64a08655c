#include "pdf/image/tga_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "pdf/image/raster_bytes.h"

namespace pagora {
namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint8_t kTrueColor = 2;
constexpr std::uint8_t kGrey = 3;
constexpr std::uint8_t kRunLengthTrueColor = 10;
constexpr std::uint8_t kRunLengthGrey = 11;
constexpr std::uint8_t kAlphaBitsMask = 0x0F;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopRowFirst = 0x20;
constexpr std::uint8_t kInterleave = 0xC0;
constexpr std::uint8_t kRunPacket = 0x80;

struct TgaHeader {
  std::uint8_t type = 0;
  int width = 0;
  int height = 0;
  int depth = 0;
  int alpha_bits = 0;
  bool top_row_first = false;
  std::size_t data_offset = 0;

  bool Grey() const { return type == kGrey || type == kRunLengthGrey; }
  bool RunLength() const { return type == kRunLengthTrueColor || type == kRunLengthGrey; }
};

bool DecodesDepth(const TgaHeader& header) {
  if (header.Grey()) return header.depth == 8 && header.alpha_bits == 0;
  switch (header.depth) {
    case 15:
    case 16:
      return header.alpha_bits <= 1;
    case 24:
      return header.alpha_bits == 0;
    case 32:
      return header.alpha_bits == 0 || header.alpha_bits == 8;
    default:
      return false;
  }
}

PictureStatus ParseHeader(std::span<const std::uint8_t> file, TgaHeader& header) {
  if (file.size() < kHeaderBytes) return PictureStatus::kTruncated;
  header.type = file[2];
  if (header.type != kTrueColor && header.type != kRunLengthTrueColor && header.type != kGrey &&
      header.type != kRunLengthGrey) {
    return PictureStatus::kBadFormat;
  }
  header.width = ReadU16Le(file, 12);
  header.height = ReadU16Le(file, 14);
  header.depth = file[16];
  const std::uint8_t descriptor = file[17];
  header.alpha_bits = descriptor & kAlphaBitsMask;
  header.top_row_first = (descriptor & kTopRowFirst) != 0;
  if (header.width == 0 || header.height == 0 || (descriptor & (kRightToLeft | kInterleave)) ||
      !DecodesDepth(header)) {
    return PictureStatus::kBadFormat;
  }
  // The identification field, then the colour map a true-colour file may still carry.
  std::size_t skipped = file[0];
  if (file[1] == 1) skipped += std::size_t{ReadU16Le(file, 5)} * ((file[7] + 7u) / 8);
  header.data_offset = kHeaderBytes + skipped;
  if (header.data_offset >= file.size()) return PictureStatus::kTruncated;
  return PictureStatus::kOk;
}

// Pixel converters: stored bytes in, picture bytes out.
struct Grey8 {
  static constexpr std::size_t kIn = 1;
  static constexpr std::size_t kOut = 1;
  void operator()(const std::uint8_t* in, std::uint8_t* out) { out[0] = in[0]; }
};

struct Bgr24 {
  static constexpr std::size_t kIn = 3;
  static constexpr std::size_t kOut = 3;
  void operator()(const std::uint8_t* in, std::uint8_t* out) {
    const std::uint8_t blue = in[0];  // `in` may be `out`: read before writing
    out[0] = in[2];
    out[2] = blue;
    out[1] = in[1];
  }
};

struct Bgr555 {
  static constexpr std::size_t kIn = 2;
  static constexpr std::size_t kOut = 3;
  void operator()(const std::uint8_t* in, std::uint8_t* out) {
    const unsigned value = in[0] | (in[1] << 8);
    out[0] = static_cast<std::uint8_t>(((value >> 10) & 0x1F) << 3);
    out[1] = static_cast<std::uint8_t>(((value >> 5) & 0x1F) << 3);
    out[2] = static_cast<std::uint8_t>((value & 0x1F) << 3);
  }
};

// Keeps the colour of the last fully transparent pixel when the alpha byte means alpha.
struct Bgra32 {
  static constexpr std::size_t kIn = 4;
  static constexpr std::size_t kOut = 3;
  bool alpha = false;
  std::optional<std::array<std::uint8_t, 3>> key;
  void operator()(const std::uint8_t* in, std::uint8_t* out) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
    if (alpha && in[3] == 0) key = {in[2], in[1], in[0]};
  }
};

template <class Pixel>
void DecodeRaw(std::span<const std::uint8_t> data, std::span<std::uint8_t> out, Pixel& pixel) {
  const std::size_t count = std::min(out.size() / Pixel::kOut, data.size() / Pixel::kIn);
  const std::uint8_t* in = data.data();
  std::uint8_t* dest = out.data();
  for (std::size_t i = 0; i < count; ++i, in += Pixel::kIn, dest += Pixel::kOut) pixel(in, dest);
}

// Packets run on across row ends; the last one is clipped at the picture's end.
template <class Pixel>
void DecodeRunLength(std::span<const std::uint8_t> data, std::span<std::uint8_t> out,
                     Pixel& pixel) {
  const std::size_t total = out.size() / Pixel::kOut;
  std::size_t filled = 0;
  std::size_t p = 0;
  while (filled < total && p < data.size()) {
    const std::uint8_t packet = data[p++];
    const std::size_t count = std::min<std::size_t>((packet & 0x7F) + 1u, total - filled);
    std::uint8_t* dest = out.data() + filled * Pixel::kOut;
    if (packet & kRunPacket) {
      if (data.size() - p < Pixel::kIn) return;
      pixel(data.data() + p, dest);
      p += Pixel::kIn;
      for (std::size_t i = 1; i < count; ++i) {
        std::memcpy(dest + i * Pixel::kOut, dest, Pixel::kOut);
      }
      filled += count;
    } else {
      const std::size_t readable = std::min(count, (data.size() - p) / Pixel::kIn);
      DecodeRaw(data.subspan(p, readable * Pixel::kIn), {dest, readable * Pixel::kOut}, pixel);
      p += readable * Pixel::kIn;
      filled += readable;
      if (readable < count) return;
    }
  }
}

// Fills `pixels` with `size` bytes of picture.
template <class Pixel>
void Decode(std::span<const std::uint8_t> data, bool run_length, std::size_t size,
            std::vector<std::uint8_t>& pixels, Pixel& pixel) {
  if (!run_length && Pixel::kIn == Pixel::kOut) {
    // Same size in and out: copy once and convert in place, without zero-filling first.
    const std::size_t stored = std::min(size, data.size() / Pixel::kIn * Pixel::kIn);
    pixels.reserve(size);
    pixels.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(stored));
    pixels.resize(size, 0);
    DecodeRaw(std::span<const std::uint8_t>(pixels).first(stored), pixels, pixel);
    return;
  }
  pixels.assign(size, 0);
  if (run_length) {
    DecodeRunLength(data, pixels, pixel);
  } else {
    DecodeRaw(data, pixels, pixel);
  }
}

}  // namespace

RasterReadResult ReadTgaImage(std::span<const std::uint8_t> file, std::size_t max_pixel_bytes) {
  RasterReadResult result;
  TgaHeader header;
  result.status = ParseHeader(file, header);
  if (result.status != PictureStatus::kOk) return result;

  const std::size_t channels = header.Grey() ? 1 : 3;
  const std::uint64_t row_bytes =
      std::uint64_t{channels} * static_cast<std::uint64_t>(header.width);
  if (!FitsPixelLimit(row_bytes, static_cast<std::uint64_t>(header.height), max_pixel_bytes)) {
    result.status = PictureStatus::kTooLarge;
    return result;
  }

  RasterImage& image = result.image;
  image.width = header.width;
  image.height = header.height;
  image.bits = 8;
  image.color_space = header.Grey() ? "DeviceGray" : "DeviceRGB";
  const std::size_t size = row_bytes * static_cast<std::size_t>(header.height);
  const std::span<const std::uint8_t> data = file.subspan(header.data_offset);
  const bool run_length = header.RunLength();
  if (header.Grey()) {
    Grey8 pixel;
    Decode(data, run_length, size, image.pixels, pixel);
  } else if (header.depth == 24) {
    Bgr24 pixel;
    Decode(data, run_length, size, image.pixels, pixel);
  } else if (header.depth == 32) {
    Bgra32 pixel;
    pixel.alpha = header.alpha_bits == 8;
    Decode(data, run_length, size, image.pixels, pixel);
    if (pixel.key) image.mask = ColorKeyMask((*pixel.key)[0], (*pixel.key)[1], (*pixel.key)[2]);
  } else {
    Bgr555 pixel;
    Decode(data, run_length, size, image.pixels, pixel);
  }
  // The format's default origin is the bottom-left corner: rows already run bottom first.
  if (header.top_row_first) ReverseRows(image.pixels, row_bytes);
  result.status = PictureStatus::kOk;
  return result;
}

}  // namespace pagora

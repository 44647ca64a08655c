#include "pdf/image/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "pdf/image/raster_bytes.h"

namespace pagora {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kOs2HeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::uint32_t kCompressionAlphaBitFields = 6;
// Where the red, green and blue masks lie: right after a 40-byte header, or inside the
// longer ones at the same place.
constexpr std::size_t kMasksOffset = kFileHeaderBytes + kInfoHeaderBytes;

struct BmpHeader {
  std::uint32_t data_offset = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive
  bool top_row_first = false;
  int bits = 0;
  std::uint32_t compression = kCompressionNone;
  std::uint32_t colors_used = 0;
  std::size_t palette_offset = 0;
  int palette_entry_bytes = 4;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue, for 16 and 32 bits
};

bool IsKnownHeaderSize(std::uint32_t size) {
  return size == kOs2HeaderBytes || size == 40 || size == 52 || size == 56 || size == 108 ||
         size == 124;
}

bool DecodesDepth(int bits, std::uint32_t compression) {
  switch (compression) {
    case kCompressionNone:
      return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
             bits == 32;
    case kCompressionRle8:
      return bits == 8;
    case kCompressionRle4:
      return bits == 4;
    case kCompressionBitFields:
    case kCompressionAlphaBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

PictureStatus ParseHeader(std::span<const std::uint8_t> file, BmpHeader& header) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return PictureStatus::kNotThisFormat;
  if (file.size() < kFileHeaderBytes + 4) return PictureStatus::kTruncated;
  const std::uint32_t header_size = ReadU32Le(file, kFileHeaderBytes);
  if (!IsKnownHeaderSize(header_size)) return PictureStatus::kBadFormat;
  header.palette_offset = kFileHeaderBytes + header_size;
  if (file.size() < header.palette_offset) return PictureStatus::kTruncated;
  header.data_offset = ReadU32Le(file, 10);

  if (header_size == kOs2HeaderBytes) {
    header.width = ReadU16Le(file, 18);
    header.height = ReadU16Le(file, 20);
    header.bits = ReadU16Le(file, 24);
    header.palette_entry_bytes = 3;
  } else {
    header.width = static_cast<std::int32_t>(ReadU32Le(file, 18));
    header.height = static_cast<std::int32_t>(ReadU32Le(file, 22));
    header.bits = ReadU16Le(file, 28);
    header.compression = ReadU32Le(file, 30);
    header.colors_used = ReadU32Le(file, 46);
  }
  if (header.height < 0) {
    header.top_row_first = true;
    header.height = -header.height;
  }
  if (header.width <= 0 || header.height == 0 || !DecodesDepth(header.bits, header.compression)) {
    return PictureStatus::kBadFormat;
  }

  if (header.compression == kCompressionBitFields ||
      header.compression == kCompressionAlphaBitFields) {
    if (header_size == kInfoHeaderBytes) {
      // The masks follow the short header, before the palette.
      header.palette_offset += header.compression == kCompressionBitFields ? 12 : 16;
      if (file.size() < header.palette_offset) return PictureStatus::kTruncated;
    }
    for (std::size_t i = 0; i < 3; ++i) header.masks[i] = ReadU32Le(file, kMasksOffset + 4 * i);
  } else if (header.bits == 16) {
    header.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (header.bits == 32) {
    header.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  if (header.data_offset >= file.size()) return PictureStatus::kTruncated;
  return PictureStatus::kOk;
}

// The palette widened to 2^bits entries of red, green, blue; entries the file does not
// define stay black. Returns how many it defines.
std::size_t ReadPalette(std::span<const std::uint8_t> file, const BmpHeader& header,
                        std::vector<std::uint8_t>& palette) {
  const std::size_t entries = std::size_t{1} << header.bits;
  palette.assign(3 * entries, 0);
  std::size_t defined = entries;
  if (header.colors_used != 0 && header.colors_used < entries) defined = header.colors_used;
  const std::size_t entry_bytes = static_cast<std::size_t>(header.palette_entry_bytes);
  if (header.data_offset > header.palette_offset) {
    defined = std::min(defined, (header.data_offset - header.palette_offset) / entry_bytes);
  }
  defined = std::min(defined, (file.size() - header.palette_offset) / entry_bytes);
  for (std::size_t i = 0; i < defined; ++i) {
    const std::uint8_t* entry = file.data() + header.palette_offset + i * entry_bytes;
    palette[3 * i] = entry[2];
    palette[3 * i + 1] = entry[1];
    palette[3 * i + 2] = entry[0];
  }
  return defined;
}

// One colour channel of a bit-field pixel, widened or narrowed to 8 bits by a shift.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        bits_(mask == 0 ? 0 : std::bit_width(mask >> shift_)) {}

  std::uint8_t Value(std::uint32_t pixel) const {
    const std::uint32_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint8_t>(bits_ >= 8 ? value >> (bits_ - 8) : value << (8 - bits_));
  }

 private:
  std::uint32_t mask_;
  int shift_;
  int bits_;
};

// Converts the stored rows of an uncompressed picture; rows the data does not reach stay
// zero, and a row it only partly reaches keeps its first pixels.
void ConvertRows(std::span<const std::uint8_t> data, const BmpHeader& header, std::size_t row_bytes,
                 std::vector<std::uint8_t>& pixels) {
  const std::size_t width = static_cast<std::size_t>(header.width);
  const std::size_t stored_row = (width * static_cast<std::size_t>(header.bits) + 31) / 32 * 4;
  const Channel red(header.masks[0]);
  const Channel green(header.masks[1]);
  const Channel blue(header.masks[2]);
  const std::size_t rows = static_cast<std::size_t>(header.height);
  for (std::size_t row = 0; row < rows && row * stored_row < data.size(); ++row) {
    const std::uint8_t* in = data.data() + row * stored_row;
    const std::size_t available = std::min(stored_row, data.size() - row * stored_row);
    std::uint8_t* out = pixels.data() + row * row_bytes;
    switch (header.bits) {
      case 24: {
        const std::size_t count = std::min(width, available / 3);
        for (std::size_t x = 0; x < count; ++x, in += 3, out += 3) {
          out[0] = in[2];
          out[1] = in[1];
          out[2] = in[0];
        }
        break;
      }
      case 16: {
        const std::size_t count = std::min(width, available / 2);
        for (std::size_t x = 0; x < count; ++x, in += 2, out += 3) {
          const std::uint32_t value = in[0] | (in[1] << 8);
          out[0] = red.Value(value);
          out[1] = green.Value(value);
          out[2] = blue.Value(value);
        }
        break;
      }
      case 32: {
        const std::size_t count = std::min(width, available / 4);
        for (std::size_t x = 0; x < count; ++x, in += 4, out += 3) {
          const std::uint32_t value =
              in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
          out[0] = red.Value(value);
          out[1] = green.Value(value);
          out[2] = blue.Value(value);
        }
        break;
      }
      default:  // indexed: the packed indices as they are, without the row padding
        std::memcpy(out, in, std::min(row_bytes, available));
        break;
    }
  }
}

// Writes indices into rows of 8 or 4 bits per pixel, rows in file order.
class IndexRows {
 public:
  IndexRows(std::vector<std::uint8_t>& pixels, std::size_t row_bytes, int bits)
      : pixels_(pixels), row_bytes_(row_bytes), bits_(bits) {}

  // Sets `count` pixels from (x, y) on, all within the row.
  void Fill(std::size_t x, std::size_t y, std::size_t count, std::uint8_t high, std::uint8_t low) {
    std::uint8_t* row = pixels_.data() + y * row_bytes_;
    if (bits_ == 8) {
      std::memset(row + x, high, count);
      return;
    }
    for (std::size_t i = 0; i < count; ++i) Put4(row, x + i, i % 2 == 0 ? high : low);
  }
  void Copy(std::size_t x, std::size_t y, std::size_t count, const std::uint8_t* bytes) {
    std::uint8_t* row = pixels_.data() + y * row_bytes_;
    if (bits_ == 8) {
      std::memcpy(row + x, bytes, count);
      return;
    }
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t byte = bytes[i / 2];
      Put4(row, x + i, static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F));
    }
  }

 private:
  static void Put4(std::uint8_t* row, std::size_t x, std::uint8_t value) {
    std::uint8_t& byte = row[x / 2];
    byte = x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | (value << 4))
                      : static_cast<std::uint8_t>((byte & 0xF0) | value);
  }

  std::vector<std::uint8_t>& pixels_;
  std::size_t row_bytes_;
  int bits_;
};

// Decodes RLE8 or RLE4 data. Positions only move forward, so every pixel is written at
// most once; escapes that run past the data or the last row end the picture.
void DecodeRle(std::span<const std::uint8_t> data, const BmpHeader& header, std::size_t row_bytes,
               std::vector<std::uint8_t>& pixels) {
  const std::size_t width = static_cast<std::size_t>(header.width);
  const std::size_t height = static_cast<std::size_t>(header.height);
  IndexRows rows(pixels, row_bytes, header.bits);
  std::size_t x = 0;
  std::size_t y = 0;
  std::size_t p = 0;
  while (y < height && data.size() - p >= 2) {
    const std::size_t count = data[p];
    const std::uint8_t value = data[p + 1];
    p += 2;
    if (count > 0) {  // a run; RLE4 alternates the two nibbles of its value
      const std::size_t drawn = std::min(count, width - x);
      rows.Fill(x, y, drawn, header.bits == 8 ? value : value >> 4, value & 0x0F);
      x += drawn;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of picture
        return;
      case 2:  // delta: move right and towards the top
        if (data.size() - p < 2) return;
        x = std::min(width, x + data[p]);
        y += data[p + 1];
        p += 2;
        break;
      default: {  // a literal run, padded to a whole 16-bit word
        const std::size_t stored = header.bits == 8 ? value : (value + 1u) / 2;
        const std::size_t available = std::min(stored, data.size() - p);
        const std::size_t readable = header.bits == 8 ? available : 2 * available;
        const std::size_t drawn = std::min({std::size_t{value}, width - x, readable});
        rows.Copy(x, y, drawn, data.data() + p);
        x += drawn;
        p += stored + stored % 2;
        if (p > data.size()) return;
        break;
      }
    }
  }
}

}  // namespace

RasterReadResult ReadBmpImage(std::span<const std::uint8_t> file,
                              std::optional<std::uint32_t> transparent_rgb,
                              std::size_t max_pixel_bytes) {
  RasterReadResult result;
  BmpHeader header;
  result.status = ParseHeader(file, header);
  if (result.status != PictureStatus::kOk) return result;

  const bool indexed = header.bits <= 8;
  const std::uint64_t row_bytes =
      PackedRowBytes(static_cast<std::uint64_t>(header.width), indexed ? header.bits : 24);
  if (!FitsPixelLimit(row_bytes, static_cast<std::uint64_t>(header.height), max_pixel_bytes)) {
    result.status = PictureStatus::kTooLarge;
    return result;
  }

  RasterImage& image = result.image;
  image.width = static_cast<int>(header.width);
  image.height = static_cast<int>(header.height);
  image.bits = indexed ? header.bits : 8;
  image.color_space = "DeviceRGB";
  if (indexed) {
    const std::size_t defined = ReadPalette(file, header, image.palette);
    if (transparent_rgb) {
      const std::uint8_t key[3] = {static_cast<std::uint8_t>(*transparent_rgb >> 16),
                                   static_cast<std::uint8_t>(*transparent_rgb >> 8),
                                   static_cast<std::uint8_t>(*transparent_rgb)};
      for (std::size_t i = defined; i-- > 0;) {  // the last matching entry wins
        if (std::equal(key, key + 3, image.palette.begin() + 3 * i)) {
          image.mask = IndexMask(static_cast<int>(i));
          break;
        }
      }
    }
  } else if (transparent_rgb) {
    image.mask = ColorKeyMask(static_cast<std::uint8_t>(*transparent_rgb >> 16),
                              static_cast<std::uint8_t>(*transparent_rgb >> 8),
                              static_cast<std::uint8_t>(*transparent_rgb));
  }

  image.pixels.assign(row_bytes * static_cast<std::size_t>(header.height), 0);
  const std::span<const std::uint8_t> data = file.subspan(header.data_offset);
  if (header.compression == kCompressionRle8 || header.compression == kCompressionRle4) {
    DecodeRle(data, header, row_bytes, image.pixels);
  } else {
    ConvertRows(data, header, row_bytes, image.pixels);
  }
  if (header.top_row_first) ReverseRows(image.pixels, row_bytes);
  result.status = PictureStatus::kOk;
  return result;
}

}  // namespace pagora

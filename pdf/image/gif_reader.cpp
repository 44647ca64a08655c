#include "pdf/image/gif_reader.h"

#include <algorithm>
#include <cstring>

#include "pdf/image/gif_canvas.h"
#include "pdf/image/gif_lzw.h"

namespace pagora {
namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kTableFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;

// Reads forward through the file; every read fails rather than pass its end.
class ByteCursor {
 public:
  explicit ByteCursor(std::span<const std::uint8_t> data) : data_(data) {}

  bool Byte(std::uint8_t& value) {
    if (position_ >= data_.size()) return false;
    value = data_[position_++];
    return true;
  }
  bool Word(int& value) {  // little-endian 16-bit
    if (data_.size() - position_ < 2) return false;
    value = data_[position_] | (data_[position_ + 1] << 8);
    position_ += 2;
    return true;
  }
  bool Take(std::size_t count, std::span<const std::uint8_t>& bytes) {
    if (data_.size() - position_ < count) return false;
    bytes = data_.subspan(position_, count);
    position_ += count;
    return true;
  }

  // Passes over data sub-blocks (a size byte, that many bytes) up to the empty one, adding
  // up their payload. False when the file ends first.
  bool SkipSubBlocks(std::size_t* payload = nullptr) {
    std::size_t total = 0;
    std::uint8_t size = 0;
    std::span<const std::uint8_t> bytes;
    while (true) {
      if (!Byte(size)) return false;
      if (size == 0) break;
      if (!Take(size, bytes)) return false;
      total += size;
    }
    if (payload != nullptr) *payload = total;
    return true;
  }

  // Joins the payload of the sub-blocks starting here into `joined`, sized once.
  bool JoinSubBlocks(std::vector<std::uint8_t>& joined) {
    ByteCursor scout = *this;
    std::size_t total = 0;
    if (!scout.SkipSubBlocks(&total)) return false;
    joined.resize(total);
    std::size_t filled = 0;
    for (std::uint8_t size = data_[position_++]; size != 0; size = data_[position_++]) {
      std::memcpy(joined.data() + filled, data_.data() + position_, size);
      position_ += size;
      filled += size;
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
};

// A colour table as read, and its depth widened to one an indexed image allows.
struct Palette {
  std::vector<std::uint8_t> rgb;
  int bits = 0;
};

int WidenedBits(int bits) {
  if (bits == 3) return 4;
  if (bits > 4) return 8;
  return bits;
}

bool ReadPalette(ByteCursor& cursor, int table_bits, Palette& palette) {
  std::span<const std::uint8_t> bytes;
  if (!cursor.Take(std::size_t{3} << table_bits, bytes)) return false;
  palette.bits = WidenedBits(table_bits);
  palette.rgb.assign(std::size_t{3} << palette.bits, 0);
  std::copy(bytes.begin(), bytes.end(), palette.rgb.begin());
  return true;
}

struct Screen {
  int width = 0;
  int height = 0;
  std::uint8_t background = 0;
  std::optional<Palette> global_palette;
};

// Decodes the LZW data at the cursor onto a canvas the size of the screen.
GifStatus DecodeFrame(ByteCursor& cursor, const Screen& screen, const GifFrameGeometry& frame,
                      const Palette& palette, std::size_t max_pixel_bytes, GifPicture& picture) {
  std::uint8_t min_code_size = 0;
  if (!cursor.Byte(min_code_size)) return GifStatus::kTruncated;
  if (min_code_size < kGifMinCodeSizeLow || min_code_size > kGifMinCodeSizeHigh) {
    return GifStatus::kBadFormat;
  }
  picture.width = screen.width;
  picture.height = screen.height;
  picture.bits = palette.bits;
  const std::size_t frame_pixels = static_cast<std::size_t>(frame.width) * frame.height;
  if (frame_pixels > kMaxPicturePixels || picture.RowBytes() * picture.height > max_pixel_bytes ||
      frame_pixels + kGifLzwSlack > max_pixel_bytes) {
    return GifStatus::kTooLarge;
  }
  std::vector<std::uint8_t> data;
  if (!cursor.JoinSubBlocks(data)) return GifStatus::kTruncated;

  picture.palette = palette.rgb;
  const bool background_fits = screen.background < (1u << palette.bits);
  picture.transparent_index.reset();
  if (background_fits) picture.transparent_index = screen.background;
  const std::uint8_t fill = background_fits ? screen.background : 0;
  FillGifCanvas(fill, picture);

  std::vector<std::uint8_t> indices(frame_pixels + kGifLzwSlack, fill);
  DecodeGifLzw(data, min_code_size, indices);
  PlaceGifFrame(frame, indices, picture);
  return GifStatus::kOk;
}

}  // namespace

GifReadResult ReadGifImage(std::span<const std::uint8_t> file, int frame,
                           std::size_t max_pixel_bytes) {
  GifReadResult result;
  ByteCursor cursor(file);
  std::span<const std::uint8_t> signature;
  if (!cursor.Take(6, signature) || (std::memcmp(signature.data(), "GIF87a", 6) != 0 &&
                                     std::memcmp(signature.data(), "GIF89a", 6) != 0)) {
    result.status = GifStatus::kNotGif;
    return result;
  }

  Screen screen;
  std::uint8_t packed = 0;
  std::uint8_t aspect = 0;
  if (!cursor.Word(screen.width) || !cursor.Word(screen.height) || !cursor.Byte(packed) ||
      !cursor.Byte(screen.background) || !cursor.Byte(aspect)) {
    result.status = GifStatus::kTruncated;
    return result;
  }
  if (screen.width == 0 || screen.height == 0) {
    result.status = GifStatus::kBadFormat;
    return result;
  }
  // A few bytes may declare a screen of billions of pixels: refuse it before decoding.
  if (static_cast<std::size_t>(screen.width) * screen.height > kMaxPicturePixels) {
    result.status = GifStatus::kTooLarge;
    return result;
  }
  if (packed & kTableFlag) {
    screen.global_palette.emplace();
    if (!ReadPalette(cursor, (packed & 7) + 1, *screen.global_palette)) {
      result.status = GifStatus::kTruncated;
      return result;
    }
  }

  int frames_seen = 0;
  bool decoded = false;
  std::uint8_t block = 0;
  while (true) {
    if (!cursor.Byte(block)) {
      result.status = GifStatus::kTruncated;
      return result;
    }
    if (block == kTrailer) break;
    if (block == kExtensionIntroducer) {
      // The label does not matter: every extension is sub-blocks after it.
      std::uint8_t label = 0;
      if (!cursor.Byte(label) || !cursor.SkipSubBlocks()) {
        result.status = GifStatus::kTruncated;
        return result;
      }
      continue;
    }
    if (block != kImageSeparator) continue;

    GifFrameGeometry geometry;
    std::uint8_t frame_packed = 0;
    if (!cursor.Word(geometry.left) || !cursor.Word(geometry.top) || !cursor.Word(geometry.width) ||
        !cursor.Word(geometry.height) || !cursor.Byte(frame_packed)) {
      result.status = GifStatus::kTruncated;
      return result;
    }
    geometry.interlaced = (frame_packed & kInterlaceFlag) != 0;
    ++frames_seen;
    std::optional<Palette> local_palette;
    if (frame_packed & kTableFlag) {
      local_palette.emplace();
      if (!ReadPalette(cursor, (frame_packed & 7) + 1, *local_palette)) {
        result.status = GifStatus::kTruncated;
        return result;
      }
    }
    if (frames_seen != frame) {
      std::uint8_t min_code_size = 0;
      if (!cursor.Byte(min_code_size) || !cursor.SkipSubBlocks()) {
        result.status = GifStatus::kTruncated;
        return result;
      }
      continue;
    }
    const std::optional<Palette>& palette = local_palette ? local_palette : screen.global_palette;
    if (!palette) {
      result.status = GifStatus::kNoColorTable;
      return result;
    }
    result.status =
        DecodeFrame(cursor, screen, geometry, *palette, max_pixel_bytes, result.picture);
    if (result.status != GifStatus::kOk) return result;
    decoded = true;
  }
  result.status = decoded ? GifStatus::kOk : GifStatus::kFrameMissing;
  return result;
}

}  // namespace pagora

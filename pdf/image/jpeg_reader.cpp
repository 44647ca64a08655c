#include "pdf/image/jpeg_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace pagora {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kAdobeSegment = 0xEE;  // APP14
constexpr std::uint8_t kTemporary = 0x01;
constexpr std::uint8_t kRestartFirst = 0xD0;
constexpr std::uint8_t kRestartLast = 0xD7;

// Start-of-frame codes; C4 (Huffman tables), C8 (reserved) and CC (arithmetic
// conditioning) share the range but are not frames.
bool IsStartOfFrame(std::uint8_t code) {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandalone(std::uint8_t code) {
  return code == kTemporary || code == kStartOfImage ||
         (code >= kRestartFirst && code <= kRestartLast);
}

std::uint16_t ReadU16Be(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

struct Frame {
  int precision = 0;
  int height = 0;
  int width = 0;
  int components = 0;
};

const char* ColorSpace(int components) {
  switch (components) {
    case 1:
      return "DeviceGray";
    case 3:
      return "DeviceRGB";
    case 4:
      return "DeviceCMYK";
    default:
      return nullptr;
  }
}

}  // namespace

RasterReadResult ReadJpegImage(std::span<const std::uint8_t> file) {
  RasterReadResult result;
  constexpr std::array<std::uint8_t, 3> kSignature = {kMarker, kStartOfImage, kMarker};
  const auto found = std::search(file.begin(), file.end(), kSignature.begin(), kSignature.end());
  if (found == file.end()) {
    result.status = PictureStatus::kNotThisFormat;
    return result;
  }
  const std::size_t start = static_cast<std::size_t>(found - file.begin());

  std::optional<Frame> frame;
  bool adobe = false;
  bool truncated = false;
  std::size_t p = start + 2;
  while (true) {
    // A marker is FF and a code; more FF bytes are fill, and FF 00 is no marker.
    while (p + 1 < file.size() &&
           (file[p] != kMarker || file[p + 1] == kMarker || file[p + 1] == 0)) {
      ++p;
    }
    if (p + 1 >= file.size()) break;
    const std::uint8_t code = file[p + 1];
    if (IsStandalone(code)) {
      p += 2;
      continue;
    }
    if (code == kEndOfImage) break;
    if (file.size() - p < 4) {
      truncated = true;
      break;
    }
    const std::size_t length = ReadU16Be(&file[p + 2]);
    if (length < 2 || file.size() - (p + 2) < length) {
      truncated = length >= 2;
      break;
    }
    const std::span<const std::uint8_t> segment = file.subspan(p + 4, length - 2);
    if (IsStartOfFrame(code) && !frame) {
      if (segment.size() < 6) break;
      frame = Frame{segment[0], ReadU16Be(&segment[1]), ReadU16Be(&segment[3]), segment[5]};
    } else if (code == kAdobeSegment && segment.size() >= 5 &&
               std::memcmp(segment.data(), "Adobe", 5) == 0) {
      adobe = true;
    }
    // The scan's entropy-coded data follows: no header segment lies beyond it. Only a
    // four-component frame still needs to know whether an Adobe segment comes.
    if (code == kStartOfScan || (frame && frame->components != 4)) break;
    p += 2 + length;
  }

  if (!frame) {
    result.status = truncated ? PictureStatus::kTruncated : PictureStatus::kBadFormat;
    return result;
  }
  const char* color_space = ColorSpace(frame->components);
  if (frame->width == 0 || frame->height == 0 || frame->precision != 8 || color_space == nullptr) {
    result.status = PictureStatus::kBadFormat;
    return result;
  }
  if (file.size() - start > kMaxPixelBytes) {
    result.status = PictureStatus::kTooLarge;
    return result;
  }
  RasterImage& image = result.image;
  image.width = frame->width;
  image.height = frame->height;
  image.bits = 8;
  image.color_space = color_space;
  image.pixels.assign(file.begin() + static_cast<std::ptrdiff_t>(start), file.end());
  image.fixed_filter = "/DCTDecode ";
  if (frame->components == 4 && adobe) image.decode = kAdobeInvertedDecode;
  image.top_row_first = true;
  result.status = PictureStatus::kOk;
  return result;
}

}  // namespace pagora

#include <algorithm>
#include <cstdlib>

#include "pdf/codec/filter_decoders.h"

namespace pagora {
namespace {

constexpr int kMaxColors = 32;
constexpr int kPngFirst = 10;
constexpr int kPngLast = 15;
constexpr int kTiff = 2;

std::uint8_t Paeth(int left, int up, int up_left) {
  const int estimate = left + up - up_left;
  const int to_left = std::abs(estimate - left);
  const int to_up = std::abs(estimate - up);
  const int to_up_left = std::abs(estimate - up_left);
  if (to_left <= to_up && to_left <= to_up_left) return static_cast<std::uint8_t>(left);
  if (to_up <= to_up_left) return static_cast<std::uint8_t>(up);
  return static_cast<std::uint8_t>(up_left);
}

// PNG rows: a filter-type byte, then the row filtered against the previous decoded row
// (zeros above the first row) and the pixel `pixel_bytes` to the left.
FilterResult UndoPng(std::span<const std::uint8_t> data, std::size_t row_bytes,
                     std::size_t pixel_bytes) {
  FilterResult result;
  result.bytes.reserve(data.size() / (row_bytes + 1) * row_bytes + row_bytes);
  std::vector<std::uint8_t> above(row_bytes, 0);
  for (std::size_t at = 0; at < data.size(); at += row_bytes + 1) {
    const int type = data[at];
    const std::size_t count = std::min(row_bytes, data.size() - at - 1);
    const std::uint8_t* in = data.data() + at + 1;
    const std::size_t row_start = result.bytes.size();
    for (std::size_t i = 0; i < count; ++i) {
      const int left = i >= pixel_bytes ? result.bytes[row_start + i - pixel_bytes] : 0;
      const int up = above[i];
      const int up_left = i >= pixel_bytes ? above[i - pixel_bytes] : 0;
      int predicted;
      switch (type) {
        case 0:
          predicted = 0;
          break;
        case 1:
          predicted = left;
          break;
        case 2:
          predicted = up;
          break;
        case 3:
          predicted = (left + up) / 2;
          break;
        case 4:
          predicted = Paeth(left, up, up_left);
          break;
        default:
          result.status = FilterStatus::kInvalidData;
          return result;
      }
      result.bytes.push_back(static_cast<std::uint8_t>(in[i] + predicted));
    }
    std::copy(result.bytes.begin() + static_cast<std::ptrdiff_t>(row_start), result.bytes.end(),
              above.begin());
  }
  return result;
}

// TIFF predictor 2: each component is stored as its difference from the same component of
// the pixel to its left, wrapping at the component's width.
FilterResult UndoTiff(std::span<const std::uint8_t> data, std::size_t row_bytes,
                      const PredictorParams& params) {
  FilterResult result;
  result.bytes.assign(data.begin(), data.end());
  const std::size_t colors = static_cast<std::size_t>(params.colors);
  for (std::size_t row = 0; row < result.bytes.size(); row += row_bytes) {
    std::uint8_t* p = result.bytes.data() + row;
    const std::size_t count = std::min(row_bytes, result.bytes.size() - row);
    if (params.bits_per_component == 8) {
      for (std::size_t i = colors; i < count; ++i)
        p[i] = static_cast<std::uint8_t>(p[i] + p[i - colors]);
    } else {
      const std::size_t step = 2 * colors;
      for (std::size_t i = step; i + 1 < count; i += 2) {
        const unsigned sum = (p[i] << 8 | p[i + 1]) + (p[i - step] << 8 | p[i - step + 1]);
        p[i] = static_cast<std::uint8_t>(sum >> 8);
        p[i + 1] = static_cast<std::uint8_t>(sum);
      }
    }
  }
  return result;
}

}  // namespace

FilterResult UndoPredictor(std::span<const std::uint8_t> data, const PredictorParams& params) {
  FilterResult result;
  if (params.predictor == 1) {
    result.bytes.assign(data.begin(), data.end());
    return result;
  }
  const int bits = params.bits_per_component;
  const bool bits_valid = bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
  const bool png = params.predictor >= kPngFirst && params.predictor <= kPngLast;
  if (!bits_valid || params.colors < 1 || params.colors > kMaxColors || params.columns < 1 ||
      (!png && params.predictor != kTiff) || (!png && bits < 8)) {
    result.status = FilterStatus::kInvalidData;
    return result;
  }
  const std::size_t pixel_bits = static_cast<std::size_t>(params.colors) * bits;
  // A row longer than the data is cut to it, so the buffers never outgrow the input.
  const std::size_t row_bytes =
      std::min((pixel_bits * static_cast<std::size_t>(params.columns) + 7) / 8, data.size() + 1);
  return png ? UndoPng(data, row_bytes, (pixel_bits + 7) / 8) : UndoTiff(data, row_bytes, params);
}

}  // namespace pagora

#include "pdf/codec/filter_decoders.h"

namespace pagora {

FilterResult DecodeRunLength(std::span<const std::uint8_t> data, std::size_t max_output) {
  constexpr std::uint8_t kEndOfData = 128;
  FilterResult result;
  std::size_t i = 0;
  while (i < data.size()) {
    const std::uint8_t length = data[i++];
    if (length == kEndOfData) break;
    const std::size_t count = length < kEndOfData ? length + 1u : 257u - length;
    if (max_output - result.bytes.size() < count) {
      result.status = FilterStatus::kTooLarge;
      return result;
    }
    if (length < kEndOfData) {
      if (data.size() - i < count) {
        result.status = FilterStatus::kTruncated;
        return result;
      }
      result.bytes.insert(result.bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                          data.begin() + static_cast<std::ptrdiff_t>(i + count));
      i += count;
    } else {
      if (i == data.size()) {
        result.status = FilterStatus::kTruncated;
        return result;
      }
      result.bytes.insert(result.bytes.end(), count, data[i++]);
    }
  }
  return result;
}

}  // namespace pagora

#include <algorithm>

#include "pdf/codec/filter_decoders.h"

namespace pagora {
namespace {

bool IsPdfWhitespace(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0;
}

// Appends the first `count` bytes of a group's value, most significant first.
bool AppendGroup(std::uint32_t value, int count, std::size_t max_output, FilterResult& result) {
  if (result.bytes.size() + static_cast<std::size_t>(count) > max_output) {
    result.status = FilterStatus::kTooLarge;
    return false;
  }
  for (int i = 0; i < count; ++i) {
    result.bytes.push_back(static_cast<std::uint8_t>(value >> (24 - 8 * i)));
  }
  return true;
}

}  // namespace

FilterResult DecodeAscii85(std::span<const std::uint8_t> data, std::size_t max_output) {
  FilterResult result;
  result.bytes.reserve(std::min(data.size() / 5 * 4 + 4, max_output));
  std::size_t i = 0;
  while (i < data.size() && IsPdfWhitespace(data[i])) ++i;
  if (data.size() - i >= 2 && data[i] == '<' && data[i + 1] == '~') i += 2;
  std::uint64_t value = 0;
  int digits = 0;
  for (; i < data.size(); ++i) {
    const std::uint8_t c = data[i];
    if (IsPdfWhitespace(c)) continue;
    if (c == '~') break;
    if (c == 'z' && digits == 0) {
      if (!AppendGroup(0, 4, max_output, result)) return result;
      continue;
    }
    if (c < '!' || c > 'u') {
      result.status = FilterStatus::kInvalidData;
      return result;
    }
    value = value * 85 + static_cast<std::uint64_t>(c - '!');
    if (++digits < 5) continue;
    if (value > 0xFFFFFFFF) {
      result.status = FilterStatus::kInvalidData;
      return result;
    }
    if (!AppendGroup(static_cast<std::uint32_t>(value), 4, max_output, result)) return result;
    value = 0;
    digits = 0;
  }
  if (digits == 1) {
    result.status = FilterStatus::kTruncated;
    return result;
  }
  if (digits > 1) {
    // The missing characters count as "u", which rounds the partial group up.
    for (int d = digits; d < 5; ++d) value = value * 85 + 84;
    if (value > 0xFFFFFFFF) {
      result.status = FilterStatus::kInvalidData;
      return result;
    }
    AppendGroup(static_cast<std::uint32_t>(value), digits - 1, max_output, result);
  }
  return result;
}

}  // namespace pagora

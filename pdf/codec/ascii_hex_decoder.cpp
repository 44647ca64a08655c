#include <algorithm>

#include "pdf/codec/filter_decoders.h"

namespace pagora {
namespace {

int HexDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsPdfWhitespace(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0;
}

}  // namespace

FilterResult DecodeAsciiHex(std::span<const std::uint8_t> data, std::size_t max_output) {
  FilterResult result;
  result.bytes.reserve(std::min(data.size() / 2 + 1, max_output));
  int high = -1;
  for (const std::uint8_t c : data) {
    if (c == '>') break;
    if (IsPdfWhitespace(c)) continue;
    const int digit = HexDigit(c);
    if (digit < 0) {
      result.status = FilterStatus::kInvalidData;
      return result;
    }
    if (high < 0) {
      high = digit;
      continue;
    }
    if (result.bytes.size() == max_output) {
      result.status = FilterStatus::kTooLarge;
      return result;
    }
    result.bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
    high = -1;
  }
  if (high >= 0) {
    if (result.bytes.size() == max_output) {
      result.status = FilterStatus::kTooLarge;
      return result;
    }
    result.bytes.push_back(static_cast<std::uint8_t>(high << 4));
  }
  return result;
}

}  // namespace pagora

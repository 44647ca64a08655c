#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

// Encodes `input` for the LZWDecode filter with the default /EarlyChange 1. The largest
// code is 511, 1023, 2047 or 4095 for `level` 0 to 3 (levels above 3 count as 3, below 0
// as 0). Codes are written most significant bit first, 9 bits wide at first and one bit
// wider each time the table reaches 511, 1023 and 2047, so at most 10, 11, 12 or 12 bits.
// The stream starts with the clear-table code 256, writes it again each time the string
// table is full, and ends with the end-of-data code 257 and zero padding bits.
// Never fails; the output is sized once from the input.
std::vector<std::uint8_t> EncodeLzw(std::span<const std::uint8_t> input, int level);

}  // namespace pagora

#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

// Encodes `input` for the ASCIIHexDecode filter: each byte becomes two upper-case
// hexadecimal digits, high digit first, with no blanks, line breaks or end-of-data ">".
// The trailer's file identifier uses the same form. Never fails; the output is exactly
// twice as long as the input.
std::vector<std::uint8_t> EncodeAsciiHex(std::span<const std::uint8_t> input);

}  // namespace pagora

#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

// Encodes `input` for the ASCII85Decode filter. Each group of four bytes (the first the
// most significant) becomes five characters "!" to "u", or the single "z" when all four
// are zero; a final group of n < 4 bytes is padded with zeros and written as its first
// n + 1 characters (never "z"). The end-of-data mark "~>" follows. No start mark and no
// line breaks are written. Never fails.
std::vector<std::uint8_t> EncodeAscii85(std::span<const std::uint8_t> input);

}  // namespace pagora

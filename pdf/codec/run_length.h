#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

// Encodes `input` for the RunLengthDecode filter. Runs of 2 to 128 equal bytes become a
// length byte 257 - run and the byte; other bytes go in literal runs of 1 to 128 bytes,
// each preceded by run - 1. The output ends with the end-of-data byte 128, so empty input
// gives the single byte 128. Never fails; the output is at most n + n / 3 + 3 bytes.
std::vector<std::uint8_t> EncodeRunLength(std::span<const std::uint8_t> input);

}  // namespace pagora

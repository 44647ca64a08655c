#pragma once

#include <cstdint>

namespace pagora {

// The growth rule shared by the engine's tables. A table starts with room for
// M × 10 entries; when it is full it grows to count + 10 entries when M is 1 (or 0),
// and to count + 10 + M × count ÷ 5, rounded, otherwise. M is the memory-usage factor.
int InitialTableSize(std::uint8_t memory_factor);
int GrownTableSize(int count, std::uint8_t memory_factor);

}  // namespace pagora

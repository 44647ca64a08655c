#include "pdf/core/table_growth.h"

#include <cstdint>

#include "pdf/core/runtime_error.h"

namespace pagora {

int InitialTableSize(std::uint8_t memory_factor) {
  return memory_factor * 10;
}

int GrownTableSize(int count, std::uint8_t memory_factor) {
  // count × M ÷ 5 never ends in a half, so rounding to nearest is (count × M + 2) ÷ 5.
  const std::int64_t extra = memory_factor <= 1 ? 0 : (std::int64_t{count} * memory_factor + 2) / 5;
  const std::int64_t size = std::int64_t{count} + 10 + extra;
  if (size > INT32_MAX) throw RuntimeError(kOverflow);
  return static_cast<int>(size);
}

}  // namespace pagora

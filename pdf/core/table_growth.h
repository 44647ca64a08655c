#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pagora {

// The growth rule shared by the engine's tables. A table starts with room for
// M × 10 entries; when it is full it grows to count + 10 entries when M is 1 (or 0),
// and to count + 10 + M × count ÷ 5, rounded, otherwise. M is the memory-usage factor.
int InitialTableSize(std::uint8_t memory_factor);
int GrownTableSize(int count, std::uint8_t memory_factor);

// Makes room in a table indexed from 1 (slot 0 unused) for entry `index`: slots 0..M × 10
// at first, then 0..GrownTableSize(index) each time an index passes the last slot.
template <typename Entry>
void GrowIndexedTable(std::vector<Entry>& table, int index, std::uint8_t memory_factor) {
  if (table.empty()) table.resize(static_cast<std::size_t>(InitialTableSize(memory_factor)) + 1);
  if (static_cast<std::size_t>(index) >= table.size()) {
    table.resize(static_cast<std::size_t>(GrownTableSize(index, memory_factor)) + 1);
  }
}

// Makes room for one more entry at the end of an appended table by the same rule, or by
// doubling, whichever gives more room: the rule's steps of ten entries alone would copy a
// long table over and over, in time quadratic in its length.
template <typename Entry>
void GrowAppendedTable(std::vector<Entry>& table, std::uint8_t memory_factor) {
  if (table.size() < table.capacity()) return;
  const int count = static_cast<int>(table.size());
  const int size =
      table.empty() ? InitialTableSize(memory_factor) : GrownTableSize(count, memory_factor);
  table.reserve(std::max({static_cast<std::size_t>(size), table.size() * 2, std::size_t{1}}));
}

}  // namespace pagora

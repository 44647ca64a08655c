#include "pdf/codec/match_index.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

namespace pagora::deflate {

namespace {

// At most half full, so probes stay short; 2^17 slots hold the prefixes of a full window
// twice over, which is what lets stale prefixes be dropped only now and then.
constexpr std::size_t kMaxSlots = std::size_t{1} << 17;
constexpr std::size_t kMinSlots = 256;

std::uint32_t Load32(const std::uint8_t* bytes) {
  std::uint32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

// Number of equal bytes at `a` and `b`, at most `limit`.
int CountEqual(const std::uint8_t* a, const std::uint8_t* b, int limit) {
  int length = 0;
  while (length + 8 <= limit) {
    std::uint64_t word_a;
    std::uint64_t word_b;
    std::memcpy(&word_a, a + length, 8);
    std::memcpy(&word_b, b + length, 8);
    const std::uint64_t difference = word_a ^ word_b;
    if (difference != 0) {
      if constexpr (std::endian::native == std::endian::little) {
        return length + std::countr_zero(difference) / 8;
      } else {
        return length + std::countl_zero(difference) / 8;
      }
    }
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

}  // namespace

MatchIndex::MatchIndex(std::span<const std::uint8_t> input, int chain_length)
    : input_(input), chain_length_(chain_length) {
  const std::size_t wanted = std::bit_ceil(std::max(kMinSlots, 2 * input.size()));
  const std::size_t slot_count = std::min(kMaxSlots, wanted);
  hash_shift_ = 32 - std::countr_zero(slot_count);
  slots_.resize(slot_count);
  previous_.resize(std::min(kWindow, std::bit_ceil(std::max<std::size_t>(input.size(), 1))));
}

std::size_t MatchIndex::FindSlot(std::uint32_t key) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = (key * 0x9E3779B1u) >> hash_shift_;
  while (slots_[slot] != kEmpty && KeyAt(slots_[slot] - 1) != key) slot = (slot + 1) & mask;
  return slot;
}

std::size_t MatchIndex::FindSlotRemembered(std::uint32_t key) {
  for (const RememberedSlot& remembered : remembered_) {
    // Without removals, a slot found empty for a key stays the key's place until taken.
    if (remembered.valid && remembered.key == key &&
        (slots_[remembered.slot] == kEmpty || KeyAt(slots_[remembered.slot] - 1) == key)) {
      return remembered.slot;
    }
  }
  const std::size_t slot = FindSlot(key);
  remembered_[remembered_next_] = {key, slot, true};
  remembered_next_ ^= 1;
  return slot;
}

void MatchIndex::FlateInsertPosition(std::uint32_t position) {
  assert(position + 2 < input_.size());
  const std::uint32_t key = KeyAt(position);
  std::size_t slot = FindSlotRemembered(key);
  std::uint16_t back = 0;
  if (slots_[slot] != kEmpty) {
    const std::uint32_t distance = position - (slots_[slot] - 1);
    if (distance <= kMaxMatchDistance) back = static_cast<std::uint16_t>(distance);
  } else {
    if (2 * (used_slots_ + 1) > slots_.size()) {
      DropStalePrefixes(position);
      slot = FindSlot(key);
    }
    ++used_slots_;
  }
  slots_[slot] = position + 1;
  previous_[position & (previous_.size() - 1)] = back;
}

void MatchIndex::DropStalePrefixes(std::uint32_t position) {
  // Every later search is at a position after this one, out of reach of anything older.
  live_.clear();
  for (const Slot slot : slots_) {
    if (slot != kEmpty && position - (slot - 1) < kMaxMatchDistance) live_.push_back(slot);
  }
  std::fill(slots_.begin(), slots_.end(), kEmpty);
  for (const Slot slot : live_) slots_[FindSlot(KeyAt(slot - 1))] = slot;
  used_slots_ = live_.size();
  remembered_ = {};
}

MatchIndex::Walk MatchIndex::StartWalk(std::uint32_t position) {
  const std::size_t slot = FindSlotRemembered(KeyAt(position));
  if (slots_[slot] == kEmpty) return {};
  return {slots_[slot] - 1, chain_length_};
}

Match MatchIndex::FlateLongestMatch(Walk& walk, std::uint32_t position, int stop_length,
                                    Match best) const {
  const int limit =
      static_cast<int>(std::min<std::size_t>(kMaxMatchLength, input_.size() - 1 - position));
  const int enough = std::min(limit, stop_length);
  if (best.length >= enough) return best;
  const std::uint8_t* here = input_.data() + position;
  const std::size_t ring_mask = previous_.size() - 1;
  std::uint32_t next = walk.next;
  int remaining = walk.remaining;
  while (remaining > 0) {
    const std::uint32_t candidate = next;
    if (position - candidate > kMaxMatchDistance) {
      remaining = 0;
      break;
    }
    const std::uint16_t back = previous_[candidate & ring_mask];
    remaining = back == 0 ? 0 : remaining - 1;
    next = candidate - back;

    const std::uint8_t* there = input_.data() + candidate;
    // A candidate can only win if it also matches the four bytes up to where the best one
    // ended. Every candidate shares the three-byte prefix, so the first one always wins.
    if (best.length >= kMinMatchLength &&
        Load32(there + best.length - 3) != Load32(here + best.length - 3)) {
      continue;
    }
    const int length = CountEqual(there, here, limit);
    if (length > best.length) {
      best = {length, candidate};
      if (length >= enough) break;
    }
  }
  walk = {next, remaining};
  return best;
}

}  // namespace pagora::deflate

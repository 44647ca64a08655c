#include "pdf/codec/match_index.h"

#include <algorithm>

namespace pagora::deflate {

namespace {

// A full window's positions spread over this many hashes leave most chains free of other
// prefixes; the table stays small enough for the second-level cache.
constexpr std::size_t kMaxHashes = std::size_t{1} << 16;
constexpr std::size_t kMinHashes = 256;
constexpr std::size_t kWindow = 32768;

std::uint32_t Load32(const std::uint8_t* bytes) {
  std::uint32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

// Number of equal bytes at `a` and `b`, at most `limit`: eight at a time, the first
// difference found from the lowest set bit of their XOR.
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
  // Short inputs, the usual stream, get tables no larger than they need.
  const std::size_t reach = std::bit_ceil(std::max<std::size_t>(input.size(), 1));
  const std::size_t hash_count = std::clamp(reach, kMinHashes, kMaxHashes);
  head_.assign(hash_count, kNoPosition);
  previous_.resize(std::min(kWindow, reach));
  second_previous_.resize(previous_.size());
  chains_ = {head_.data(), previous_.data(), second_previous_.data(),
             static_cast<std::uint32_t>(previous_.size() - 1), 32 - std::countr_zero(hash_count)};
}

Match MatchIndex::ContinueWalk(Walk& walk, std::uint32_t position, int stop_length,
                               Match best) const {
  const int limit =
      static_cast<int>(std::min<std::size_t>(kMaxMatchLength, input_.size() - 1 - position));
  const int enough = std::min(limit, stop_length);
  if (best.length >= enough || walk.remaining <= 0) return best;
  // Locals, so that the walk keeps everything in registers.
  const std::uint8_t* const base = input_.data();
  const std::uint8_t* const here = base + position;
  const std::uint16_t* const second_previous = chains_.second_previous;
  const std::uint32_t ring_mask = chains_.ring_mask;
  const std::uint32_t prefix = walk.prefix;
  std::uint32_t candidate = walk.next;
  std::uint32_t following = walk.following;
  int remaining = walk.remaining;

  // Advances to the next candidate of the prefix; false when the walk leaves the window.
  // Candidates lie before `position`, so four bytes can be read at each.
  std::uint32_t current = 0;
  const auto next_of_prefix = [&] {
    while (position - candidate <= kMaxMatchDistance) {
      current = candidate;
      candidate = following;
      following = current - second_previous[current & ring_mask];
      if ((Load32(base + current) & kPrefixMask) == prefix) {
        --remaining;
        return true;
      }
    }
    remaining = 0;
    return false;
  };

  // The first candidate of the prefix always beats "no match".
  if (best.length < kMinMatchLength) {
    if (next_of_prefix()) best = {CountEqual(base + current, here, limit), current};
  }
  // A later candidate can only beat the best if it also matches the four bytes up to where
  // the best one ends.
  while (best.length < enough && remaining > 0) {
    const int tail = best.length - 3;
    const std::uint32_t here_tail = Load32(here + tail);
    bool promising = false;
    while (!promising && remaining > 0 && next_of_prefix()) {
      promising = Load32(base + current + tail) == here_tail;
    }
    if (!promising) break;
    const int length = CountEqual(base + current, here, limit);
    if (length > best.length) best = {length, current};
  }
  walk.next = candidate;
  walk.following = following;
  walk.remaining = remaining;
  return best;
}

}  // namespace pagora::deflate

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

// Eight bytes as a word whose lowest byte is the first, on any machine. Near the end of
// the input only the bytes before `end` are read; the others are zero.
template <bool kNearEnd>
std::uint64_t LoadEight(const std::uint8_t* bytes, const std::uint8_t* end) {
  std::uint64_t word = 0;
  if constexpr (kNearEnd) {
    for (int i = 0; i < 8 && bytes + i < end; ++i) word |= std::uint64_t{bytes[i]} << (8 * i);
    return word;
  }
  std::memcpy(&word, bytes, 8);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

// Number of equal bytes at `a` and `b` from `length` on, at most `limit`: eight at a time,
// the first difference found from the lowest set bit of their XOR.
int CountEqual(const std::uint8_t* a, const std::uint8_t* b, int length, int limit) {
  while (length + 8 <= limit) {
    const std::uint64_t difference =
        LoadEight<false>(a + length, nullptr) ^ LoadEight<false>(b + length, nullptr);
    if (difference != 0) return length + std::countr_zero(difference) / 8;
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

// The bytes of a candidate's first eight that must equal those here for it to beat a
// match of `length`: the first length + 1 of them (a longer match needs them all).
std::uint64_t NeededBytes(int length) {
  const int count = std::max(length, kMinMatchLength - 1) + 1;
  return count >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * count)) - 1;
}

constexpr std::uint64_t kPrefixBytes = 0xFFFFFF;

}  // namespace

MatchIndex::MatchIndex(std::span<const std::uint8_t> input, int chain_length)
    : input_(input), chain_length_(chain_length) {
  static_assert(kBias % kWindow == 0, "a biased position must keep its ring slot");
  // Short inputs, the usual stream, get tables no larger than they need.
  const std::size_t reach = std::bit_ceil(std::max<std::size_t>(input.size(), 1));
  const std::size_t hash_count = std::clamp(reach, kMinHashes, kMaxHashes);
  newest_two_.assign(hash_count, std::uint64_t{kNoPosition} << 32 | kNoPosition);
  second_previous_.resize(std::min(kWindow, reach));
  chains_ = {newest_two_.data(), second_previous_.data(),
             static_cast<std::uint32_t>(second_previous_.size() - 1),
             32 - std::countr_zero(hash_count)};
}

Match MatchIndex::ContinueWalk(Walk& walk, std::uint32_t position, int stop_length,
                               Match best) const {
  const int limit =
      static_cast<int>(std::min<std::size_t>(kMaxMatchLength, input_.size() - 1 - position));
  const int enough = std::min(limit, stop_length);
  if (best.length >= enough || walk.remaining <= 0) return best;
  // Eight bytes can be read at the position, and so at every candidate before it.
  if (input_.size() - position >= 8) {
    return WalkCandidates<false>(walk, position, limit, enough, best);
  }
  return WalkCandidates<true>(walk, position, limit, enough, best);
}

// Each candidate costs one load of its first eight bytes: their first three tell whether
// it has the prefix (positions of other prefixes sharing the hash are skipped without
// counting), and the rest whether it can beat the best match, which it can only if it
// also matches up to the byte after the best one's end. Beyond eight bytes that byte and
// the three before it are compared as a word.
template <bool kNearEnd>
Match MatchIndex::WalkCandidates(Walk& walk, std::uint32_t position, int limit, int enough,
                                 Match best) const {
  // Locals, so that the walk keeps everything in registers.
  const std::uint8_t* const base = input_.data();
  const std::uint8_t* const end = base + input_.size();
  const std::uint8_t* const here = base + position;
  const std::uint16_t* const second_previous = chains_.second_previous;
  const std::uint32_t ring_mask = chains_.ring_mask;
  const std::uint32_t oldest = Biased(position) - kMaxMatchDistance;
  const std::uint64_t here_eight = LoadEight<kNearEnd>(here, end);
  int remaining = walk.remaining;
  std::uint64_t needed = NeededBytes(best.length);

  // Visits the candidate at `cursor` and moves the cursor two candidates back, along its
  // own chain; true when the walk is over.
  const auto visit = [&](std::uint32_t& cursor) {
    const std::uint32_t current = cursor;
    if (current < oldest) {
      remaining = 0;
      return true;
    }
    // The bias is a multiple of the ring's size: a biased position has the same slot.
    cursor = current - second_previous[current & ring_mask];
    const std::uint8_t* const there = base + (std::size_t{current} - kBias);
    const std::uint64_t difference = LoadEight<kNearEnd>(there, end) ^ here_eight;
    if ((difference & kPrefixBytes) != 0) return false;
    --remaining;
    if ((best.length < 8 || Load32(there + best.length - 3) == Load32(here + best.length - 3)) &&
        (difference & needed) == 0) {
      // Up to the first difference, or the limit. Below eight bytes the tests above made
      // it longer than the best; past them the bytes in between are still unchecked.
      int length = limit;
      if (difference != 0) {
        length = std::min(limit, std::countr_zero(difference) / 8);
      } else if (limit > 8) {
        length = CountEqual(there, here, 8, limit);
      }
      if (length > best.length) {
        best = {length, current - kBias};
        if (length >= enough) return true;
        needed = NeededBytes(length);
      }
    }
    return remaining == 0;
  };

  // The candidates alternate between the two chains.
  std::uint32_t newer = walk.next;
  std::uint32_t older = walk.following;
  for (;;) {
    if (visit(newer)) {
      walk.next = older;
      walk.following = newer;
      break;
    }
    if (visit(older)) {
      walk.next = newer;
      walk.following = older;
      break;
    }
  }
  walk.remaining = remaining;
  return best;
}

}  // namespace pagora::deflate

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pdf/codec/deflate_tables.h"

namespace pagora::deflate {

// An earlier occurrence of the bytes at some position: `length` equal bytes starting at
// `position`. A length below 3 means no usable match.
struct Match {
  int length = kMinMatchLength - 1;
  std::uint32_t position = 0;
};

// The match index: for each three-byte prefix, the positions entered under it, newest
// first. A search visits at most `chain_length` of them and none more than 32767 bytes
// back, so only the newest `chain_length` positions of a prefix are ever candidates.
//
// The prefix table keys exact prefixes (open addressing), so a walk sees only positions
// that share the prefix and never pays for hash collisions. Positions of one prefix are
// linked through a ring of back-distances covering the reachable window. Prefixes whose
// newest position has left the window are dropped whenever the table fills to half, which
// keeps its size fixed however long the input.
class MatchIndex {
 public:
  // A walk through the positions of one prefix, newest first; a search may resume it.
  struct Walk {
    std::uint32_t next = 0;  // candidate to visit next
    int remaining = 0;       // candidates left to visit; 0 when the walk is over
  };

  MatchIndex(std::span<const std::uint8_t> input, int chain_length);

  // Enters `position` (at most input size - 3) under its prefix.
  void FlateInsertPosition(std::uint32_t position);

  // A walk over the positions entered so far under the prefix at `position` (at most
  // input size - 3).
  Walk StartWalk(std::uint32_t position);

  // Continues `walk` for the longest match at `position` better than `best`; the walk stops
  // when the best length reaches `stop_length`, when no candidate is left, or at the first
  // candidate more than 32767 bytes back. Ties keep the newer candidate. Matches never
  // reach the last input byte and are at most 258 bytes long.
  Match FlateLongestMatch(Walk& walk, std::uint32_t position, int stop_length, Match best) const;

 private:
  static constexpr std::size_t kWindow = 32768;  // ring of back-distances
  // A slot holds the newest position of its prefix + 1, or 0 when empty; the prefix itself
  // is read back from the input, which keeps slots small enough to stay in cache.
  using Slot = std::uint32_t;
  static constexpr Slot kEmpty = 0;

  std::uint32_t KeyAt(std::uint32_t position) const {
    return static_cast<std::uint32_t>(input_[position]) |
           static_cast<std::uint32_t>(input_[position + 1]) << 8 |
           static_cast<std::uint32_t>(input_[position + 2]) << 16;
  }
  std::size_t FindSlot(std::uint32_t key) const;
  // FindSlot, remembering the last two answers: the pass looks up each prefix when it
  // searches and again when it enters the position.
  std::size_t FindSlotRemembered(std::uint32_t key);
  void DropStalePrefixes(std::uint32_t position);

  std::span<const std::uint8_t> input_;
  int chain_length_;
  int hash_shift_;
  std::size_t used_slots_ = 0;
  std::vector<Slot> slots_;
  // Distance back from a position to the previous one of its prefix; 0 for none in reach.
  std::vector<std::uint16_t> previous_;
  std::vector<Slot> live_;  // scratch for DropStalePrefixes
  struct RememberedSlot {
    std::uint32_t key = 0;
    std::size_t slot = 0;
    bool valid = false;
  };
  std::array<RememberedSlot, 2> remembered_{};
  std::size_t remembered_next_ = 0;
};

}  // namespace pagora::deflate

#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
// Positions are chained by a hash of their prefix: a table holds the two newest positions
// of each hash, and a ring covering the reachable window holds, per position, the
// distance back to the one two before it under the same hash. A walk follows the two
// interleaved chains this makes, every other position each, so that it waits for one
// memory load per two candidates, not per one; entering a position is a load and two
// stores, which matters because every position of every match is entered. A walk skips
// the positions of other prefixes that share the hash without counting them, so it
// visits exactly the positions a list per prefix would hold; it never looks past the
// window, whatever the input.
class MatchIndex {
 public:
  // A walk through the positions of one prefix, newest first; a search may resume it.
  struct Walk {
    std::uint32_t next = 0;       // candidate to visit next, maybe of another prefix
    std::uint32_t following = 0;  // the one after it
    int remaining = 0;            // candidates of the prefix left to visit; 0 when the walk is over
  };

  // The largest input whose positions the index can hold.
  static constexpr std::size_t kMaxInputSize = 0xFFFFFFFFu - 0x10000u;

  // `input` is at most kMaxInputSize bytes.
  MatchIndex(std::span<const std::uint8_t> input, int chain_length);
  // The index points into its own arrays.
  MatchIndex(const MatchIndex&) = delete;
  MatchIndex& operator=(const MatchIndex&) = delete;

  // Enters `position` (at most input size - 3) under its prefix.
  void FlateInsertPosition(std::uint32_t position) { chains_.Enter(position, PrefixAt(position)); }

  // Enters the positions from `first` to `end` (exclusive, at most input size - 2), in order.
  void InsertPositions(std::uint32_t first, std::uint32_t end) {
    // All but the last indexable position can read their prefix as one word.
    const std::uint32_t word_end =
        static_cast<std::uint32_t>(std::min<std::size_t>(end, input_.size() - 3));
    const Chains chains = chains_;
    const std::uint8_t* const base = input_.data();
    std::uint32_t position = first;
    for (; position < word_end; ++position) {
      std::uint32_t word;
      std::memcpy(&word, base + position, 4);
      chains.Enter(position, word & kPrefixMask);
    }
    for (; position < end; ++position) FlateInsertPosition(position);
  }

  // Asks for the table entry of the prefix at `position` (at most input size - 3) to be
  // brought into the cache, so that a walk started there soon does not wait for it.
  void Prefetch(std::uint32_t position) const {
    __builtin_prefetch(&chains_.Newest(PrefixAt(position)));
  }

  // A walk over the positions entered so far under the prefix at `position` (at most
  // input size - 3).
  Walk StartWalk(std::uint32_t position) const {
    const std::uint64_t newest_two = chains_.Newest(PrefixAt(position));
    return {static_cast<std::uint32_t>(newest_two), static_cast<std::uint32_t>(newest_two >> 32),
            chain_length_};
  }

  // Continues `walk` for the longest match at `position` better than `best`; the walk stops
  // when the best length reaches `stop_length`, when no candidate is left, or at the first
  // candidate more than 32767 bytes back. Ties keep the newer candidate. Matches never
  // reach the last input byte and are at most 258 bytes long.
  Match FlateLongestMatch(Walk& walk, std::uint32_t position, int stop_length, Match best) const {
    // Most walks of incompressible data end before their first candidate: spare them the call.
    if (walk.remaining <= 0 || walk.next < Biased(position) - kMaxMatchDistance) {
      walk.remaining = 0;
      return best;
    }
    return ContinueWalk(walk, position, stop_length, best);
  }

 private:
  // Positions are kept this much higher than they are, so that "none" can be zero, before
  // any position's window, and a step back along a chain can never wrap below it.
  static constexpr std::uint32_t kBias = 0x10000;
  static_assert(kMaxInputSize + kBias <= 0xFFFFFFFFu);
  static constexpr std::uint32_t kNoPosition = 0;
  // A back-distance past the window: the walk's distance test ends the chain there.
  static constexpr std::uint32_t kNoPrevious = 0xFFFF;

  static std::uint32_t Biased(std::uint32_t position) { return position + kBias; }

  Match ContinueWalk(Walk& walk, std::uint32_t position, int stop_length, Match best) const;
  template <bool kNearEnd>
  Match WalkCandidates(Walk& walk, std::uint32_t position, int limit, int enough, Match best) const;

  static constexpr std::uint32_t kPrefixMask =
      std::endian::native == std::endian::little ? 0x00FFFFFFu : 0xFFFFFF00u;

  // The three prefix bytes in a word, in memory order, the fourth byte zero. At the last
  // indexable position only three bytes may be read.
  std::uint32_t PrefixAt(std::uint32_t position) const {
    std::uint32_t word = 0;
    if (position + 4 <= input_.size()) {
      std::memcpy(&word, input_.data() + position, 4);
    } else {
      std::memcpy(&word, input_.data() + position, 3);
    }
    return word & kPrefixMask;
  }
  // The index's arrays and masks as plain values: a loop that copies them into locals keeps
  // them in registers, where members would be reloaded after every store through a pointer.
  struct Chains {
    // Per hash, the newest (biased) position in the low half and the one before it in the
    // high half, kNoPosition where there is none.
    std::uint64_t* newest_two;
    // Per position, the distance back to the one two before it under its hash, or
    // kNoPrevious when that is out of reach.
    std::uint16_t* second_previous;
    std::uint32_t ring_mask;
    int hash_shift;

    std::uint64_t& Newest(std::uint32_t prefix) const {
      return newest_two[(prefix * 0x9E3779B1u) >> hash_shift];
    }
    void Enter(std::uint32_t position, std::uint32_t prefix) const {
      std::uint64_t& newest = Newest(prefix);
      const std::uint32_t biased = Biased(position);
      const std::uint32_t back_two = biased - static_cast<std::uint32_t>(newest >> 32);
      second_previous[position & ring_mask] =
          static_cast<std::uint16_t>(std::min(back_two, kNoPrevious));
      newest = newest << 32 | biased;
    }
  };

  std::span<const std::uint8_t> input_;
  int chain_length_;
  std::vector<std::uint64_t> newest_two_;
  std::vector<std::uint16_t> second_previous_;
  Chains chains_;
};

}  // namespace pagora::deflate

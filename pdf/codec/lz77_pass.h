#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "pdf/codec/deflate_tables.h"

namespace pagora::deflate {

// How hard the match search tries, one row per compression level 0 to 3.
struct EffortRow {
  int first_stop_length;  // the first search stops at a match this long
  int second_limit;       // a shorter match continues the search up to this length
  int lazy_limit;         // a shorter match is compared with the one at the next byte
  int chain_length;       // positions kept and searched per three-byte prefix
};

inline constexpr std::array<EffortRow, 4> kEffortRows = {{
    {4, 4, 16, 16},
    {8, 16, 32, 32},
    {8, 16, 128, 128},
    {8, 32, 128, 256},
}};

// One token of the LZ77 pass, packed in 32 bits: either a run of literal bytes (taken from
// the input in order) or one match.
class Token {
 public:
  static Token LiteralRun(std::uint32_t count) { return Token(count); }
  static Token Match(int length, int distance) {
    return Token(kMatchFlag | static_cast<std::uint32_t>(distance) << 9 |
                 static_cast<std::uint32_t>(length - kMinMatchLength));
  }
  bool IsMatch() const { return (bits_ & kMatchFlag) != 0; }
  std::uint32_t LiteralCount() const { return bits_; }
  int Length() const { return static_cast<int>(bits_ & 0x1FF) + kMinMatchLength; }
  int Distance() const { return static_cast<int>((bits_ >> 9) & 0x7FFF); }
  void AddLiteral() { ++bits_; }
  bool operator==(const Token&) const = default;

 private:
  static constexpr std::uint32_t kMatchFlag = 1u << 31;
  explicit Token(std::uint32_t bits) : bits_(bits) {}
  std::uint32_t bits_;
};

// The input as literals and matches, with the frequency of every literal/length symbol
// (the end-of-block symbol counted once) and every distance symbol.
struct Lz77Result {
  std::vector<Token> tokens;
  std::array<std::uint32_t, kLiteralLengthSymbols> literal_length_frequencies{};
  std::array<std::uint32_t, kDistanceSymbols> distance_frequencies{};
};

// The LZ77 pass over `input` with the effort of `row`: at each position, the longest
// earlier match (searched again up to the second limit when short), compared lazily with
// the match at the next byte; a 3-byte match more than 4096 bytes back is not worth its
// distance code. The last three bytes, and any byte without a match, are literals.
Lz77Result FindMatches(std::span<const std::uint8_t> input, const EffortRow& row);

}  // namespace pagora::deflate

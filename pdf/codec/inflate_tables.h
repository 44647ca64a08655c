#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Decoding tables of the Deflate decoder. A table is indexed by the next input bits (least
// significant first, as they arrive); each 32-bit entry tells what they decode to and how
// many bits that takes. Codes longer than a table's index width continue in a second-level
// table reached through a pointer entry.
namespace pagora::inflate {

// Entry layout:
//   bits 0-7    bits to consume: code length plus the extra bits of a length or distance;
//               for a pointer, the index width of the first level
//   bits 8-11   code length, where the extra bits start; for a pointer, the index width
//               of the second-level table
//   bits 12-15  kind flags (none: a length, a distance or a code-length symbol)
//   bits 16-31  literal byte, base length, base distance, code-length symbol, or the
//               index of a second-level table
inline constexpr std::uint32_t kLiteral = 1u << 12;
inline constexpr std::uint32_t kEndOfBlock = 1u << 13;
inline constexpr std::uint32_t kSubtable = 1u << 14;
// A code the stream may not send: unused code space, or a symbol outside the alphabet.
// Its bit count is what identifies it (0 when the code is empty, 1 for a one-bit code).
inline constexpr std::uint32_t kInvalid = 1u << 15;
inline constexpr std::uint32_t kKindMask = 0xF000;

constexpr unsigned EntryBits(std::uint32_t entry) {
  return entry & 0xFF;
}
constexpr unsigned EntryCodeLength(std::uint32_t entry) {
  return (entry >> 8) & 0xF;
}
constexpr unsigned EntryValue(std::uint32_t entry) {
  return entry >> 16;
}

// The base value of a length or distance entry plus its extra bits, read from `bits`
// positioned at the entry's code.
constexpr unsigned EntryValueWithExtra(std::uint32_t entry, std::uint64_t bits) {
  const std::uint64_t field = bits & ~(~std::uint64_t{0} << EntryBits(entry));
  return EntryValue(entry) + static_cast<unsigned>(field >> EntryCodeLength(entry));
}

enum class Alphabet { kLiteralLength, kDistance, kCodeLength };

// Index widths of the first level: wide enough that nearly every code of real streams
// decodes in one lookup, small enough to build quickly for a short block.
inline constexpr unsigned kLiteralLengthBits = 11;
inline constexpr unsigned kDistanceBits = 8;
inline constexpr unsigned kCodeLengthBits = 7;  // the longest code-length code

// Room for the first level and every second-level table a valid code can need: at most
// one per code longer than the index width, each at most 2^(15 - width) entries.
inline constexpr std::size_t kLiteralLengthTableSize = (1u << kLiteralLengthBits) + 288 * 16;
inline constexpr std::size_t kDistanceTableSize = (1u << kDistanceBits) + 30 * 128;
inline constexpr std::size_t kCodeLengthTableSize = 1u << kCodeLengthBits;

// Builds in `table` the decoding table of the canonical code (RFC 1951, 3.2.2) whose code
// lengths, 0 (unused) to 15, are `lengths`, one per symbol of `alphabet` from symbol 0.
// Returns false when the lengths are over-subscribed, or leave code space unused where
// Deflate forbids it: only a distance or literal/length code may do so, and only when it
// has no code at all or a single one-bit code. `table` must hold the alphabet's table size.
bool BuildDecodeTable(std::span<const std::uint8_t> lengths, Alphabet alphabet,
                      std::span<std::uint32_t> table);

// The tables of the fixed Huffman codes, built once on first use (thread-safe).
struct FixedTables {
  std::uint32_t literal_length[1u << kLiteralLengthBits];
  std::uint32_t distance[1u << kDistanceBits];
};
const FixedTables& GetFixedTables();

}  // namespace pagora::inflate

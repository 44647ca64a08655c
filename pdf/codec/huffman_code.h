#pragma once

#include <cstdint>
#include <span>

// Length-limited Huffman codes for the Deflate encoder.
namespace pagora::deflate {

// One symbol's code, ready for the bit writer: `bits` holds the code with its bit order
// reversed, because Deflate sends Huffman codes most significant bit first into a stream
// that is otherwise packed least significant bit first. Length 0 means the symbol is unused.
struct HuffmanCode {
  std::uint16_t bits = 0;
  std::uint8_t length = 0;
};

// Computes code lengths of at most `max_length` bits for `frequencies` into `lengths`
// (same size, at most 288 symbols); symbols of frequency 0 get length 0. At least two
// symbols always get a code: when one or none has a nonzero frequency, the first
// zero-frequency symbols are treated as if they occurred once. Lengths beyond the limit
// are shortened by the code-length adjustment of JPEG (ITU-T T.81, K.3), which keeps the
// code complete. Returns false when the symbols cannot fit within `max_length` bits.
bool FlateBuildLengths(std::span<const std::uint32_t> frequencies, int max_length,
                       std::span<std::uint8_t> lengths);

// Gives the canonical codes of RFC 1951 (3.2.2) to `lengths` (each 0 to 15) in `codes`
// (same size). Returns false, leaving `codes` undefined, when the lengths are
// over-subscribed (no prefix code has them).
bool FlateAssignCodes(std::span<const std::uint8_t> lengths, std::span<HuffmanCode> codes);

}  // namespace pagora::deflate

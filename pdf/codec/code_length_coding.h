#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "pdf/codec/bit_writer.h"
#include "pdf/codec/deflate_tables.h"
#include "pdf/codec/huffman_code.h"

// How a dynamic block header sends its lists of code lengths: run-length coded with the
// repeat symbols 16, 17 and 18, then Huffman coded with the code-length code.
namespace pagora::deflate {

// One symbol of the code-length alphabet (0 to 18) and the value of its extra bits.
struct CodeLengthOp {
  std::uint8_t symbol = 0;
  std::uint8_t extra = 0;
  bool operator==(const CodeLengthOp&) const = default;
};

// Run-length codes a list of code lengths. The list is cut into runs of equal lengths,
// each at most a maximum long; a run shorter than its minimum goes as plain lengths, a
// zero run as one 17 or 18, any other run as its length (unless the previous run had the
// same one) and one 16. The bounds start at 4 and 7 (3 and 138 when the list starts with
// a zero) and after each run follow the next length: 3 and 138 before a zero, 3 and 6
// before the same length again, else 4 and 7.
std::vector<CodeLengthOp> CodeLengthOps(std::span<const std::uint8_t> lengths);

// Adds to `frequencies` the code-length symbols needed to send `lengths`.
void FlateScanTree(std::span<const std::uint8_t> lengths,
                   std::array<std::uint32_t, kCodeLengthSymbols>& frequencies);

// Sends `lengths` with the code-length code `codes`.
void FlateSendTree(std::span<const std::uint8_t> lengths,
                   const std::array<HuffmanCode, kCodeLengthSymbols>& codes, BitWriter& writer);

}  // namespace pagora::deflate

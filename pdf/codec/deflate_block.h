#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "pdf/codec/bit_writer.h"
#include "pdf/codec/deflate_tables.h"
#include "pdf/codec/huffman_code.h"
#include "pdf/codec/lz77_pass.h"

namespace pagora::deflate {

enum class BlockType : std::uint8_t { kStored = 0, kFixed = 1, kDynamic = 2 };

// The size counted for a block whose codes cannot be built, so that it is never chosen.
inline constexpr std::uint64_t kUnbuildableBlockBytes = std::uint64_t{1} << 30;

// The codes of a dynamic block and everything its header sends.
struct DynamicCodes {
  std::array<std::uint8_t, kLiteralLengthSymbols> literal_length_lengths{};
  std::array<std::uint8_t, kDistanceSymbols> distance_lengths{};
  std::array<std::uint8_t, kCodeLengthSymbols> code_length_lengths{};
  std::array<HuffmanCode, kLiteralLengthSymbols> literal_length_codes{};
  std::array<HuffmanCode, kDistanceSymbols> distance_codes{};
  std::array<HuffmanCode, kCodeLengthSymbols> code_length_codes{};
  int literal_length_count = 0;   // HLIT: lengths sent, up to the last nonzero one
  int distance_count = 0;         // HDIST
  int code_length_count = 0;      // HCLEN, in the order of kCodeLengthOrder, at least 4
  std::uint64_t header_bits = 0;  // from HLIT to the end of the two length lists
};

// Builds the dynamic codes from the pass's frequencies; false when a code cannot be built.
bool BuildDynamicCodes(const Lz77Result& pass, DynamicCodes& codes);

// The three candidate sizes in bytes, each as the whole input in one final block (so the
// stored size is the input size + 5 however many blocks a long input takes).
struct BlockSizes {
  std::uint64_t stored = 0;
  std::uint64_t fixed = 0;
  std::uint64_t dynamic = 0;
};
BlockSizes MeasureBlocks(std::size_t input_size, const Lz77Result& pass,
                         const DynamicCodes* dynamic);

// Fixed beats stored only when strictly smaller, and dynamic beats the better of the two
// only when strictly smaller: ties favour the simpler block.
BlockType ChooseBlockType(const BlockSizes& sizes);

// Writes `input` as stored blocks of at most 65535 bytes, the last one final.
void WriteStoredBlocks(std::span<const std::uint8_t> input, BitWriter& writer);
// Writes the pass's tokens as one final block with the fixed codes.
void WriteFixedBlock(std::span<const std::uint8_t> input, const Lz77Result& pass,
                     BitWriter& writer);
// Writes the pass's tokens as one final block with `codes`, header first.
void WriteDynamicBlock(std::span<const std::uint8_t> input, const Lz77Result& pass,
                       const DynamicCodes& codes, BitWriter& writer);

}  // namespace pagora::deflate

#include <algorithm>

#include "pdf/codec/code_length_coding.h"
#include "pdf/codec/deflate_block.h"

namespace pagora::deflate {

namespace {

// The number of lengths up to the last nonzero one, but at least `minimum`.
int CountUpToLastUsed(std::span<const std::uint8_t> lengths, int minimum) {
  int count = static_cast<int>(lengths.size());
  while (count > minimum && lengths[static_cast<std::size_t>(count) - 1] == 0) --count;
  return count;
}

}  // namespace

bool BuildDynamicCodes(const Lz77Result& pass, DynamicCodes& codes) {
  if (!FlateBuildLengths(pass.literal_length_frequencies, kMaxCodeLength,
                         codes.literal_length_lengths) ||
      !FlateBuildLengths(pass.distance_frequencies, kMaxCodeLength, codes.distance_lengths)) {
    return false;
  }
  codes.literal_length_count = CountUpToLastUsed(codes.literal_length_lengths, 257);
  codes.distance_count = CountUpToLastUsed(codes.distance_lengths, 1);
  const std::span<const std::uint8_t> literal_lengths(codes.literal_length_lengths.data(),
                                                      codes.literal_length_count);
  const std::span<const std::uint8_t> distance_lengths(codes.distance_lengths.data(),
                                                       codes.distance_count);

  std::array<std::uint32_t, kCodeLengthSymbols> code_length_frequencies{};
  FlateScanTree(literal_lengths, code_length_frequencies);
  FlateScanTree(distance_lengths, code_length_frequencies);
  if (!FlateBuildLengths(code_length_frequencies, kMaxCodeLengthCodeLength,
                         codes.code_length_lengths)) {
    return false;
  }
  std::array<std::uint8_t, kCodeLengthSymbols> in_header_order{};
  for (int i = 0; i < kCodeLengthSymbols; ++i) {
    in_header_order[i] = codes.code_length_lengths[kCodeLengthOrder[i]];
  }
  codes.code_length_count = CountUpToLastUsed(in_header_order, 4);

  if (!FlateAssignCodes(codes.literal_length_lengths, codes.literal_length_codes) ||
      !FlateAssignCodes(codes.distance_lengths, codes.distance_codes) ||
      !FlateAssignCodes(codes.code_length_lengths, codes.code_length_codes)) {
    return false;
  }

  std::uint64_t bits = 5 + 5 + 4 + 3 * static_cast<std::uint64_t>(codes.code_length_count);
  for (int symbol = 0; symbol < kCodeLengthSymbols; ++symbol) {
    bits +=
        std::uint64_t{code_length_frequencies[symbol]} *
        static_cast<std::uint64_t>(codes.code_length_lengths[symbol] + CodeLengthExtraBits(symbol));
  }
  codes.header_bits = bits;
  return true;
}

}  // namespace pagora::deflate

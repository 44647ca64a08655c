#include "pdf/codec/inflate_tables.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "pdf/codec/deflate_tables.h"

namespace pagora::inflate {
namespace {

constexpr unsigned kMaxCodeLength = deflate::kMaxCodeLength;

constexpr std::uint32_t MakeEntry(unsigned value, std::uint32_t kind, unsigned code_length,
                                  unsigned extra_bits) {
  return value << 16 | kind | code_length << 8 | (code_length + extra_bits);
}

unsigned IndexBits(Alphabet alphabet) {
  switch (alphabet) {
    case Alphabet::kLiteralLength:
      return kLiteralLengthBits;
    case Alphabet::kDistance:
      return kDistanceBits;
    case Alphabet::kCodeLength:
      break;
  }
  return kCodeLengthBits;
}

// What `symbol` of `alphabet` decodes to, for a code of `code_length` bits (counted from
// where the lookup of its table starts).
std::uint32_t SymbolEntry(Alphabet alphabet, unsigned symbol, unsigned code_length) {
  switch (alphabet) {
    case Alphabet::kLiteralLength:
      if (symbol < 256) return MakeEntry(symbol, kLiteral, code_length, 0);
      if (symbol == deflate::kEndOfBlock) return MakeEntry(0, kEndOfBlock, code_length, 0);
      symbol -= deflate::kFirstLengthSymbol;
      // Symbols 286 and 287 have fixed codes but no meaning.
      if (symbol >= deflate::kLengthBase.size()) return MakeEntry(0, kInvalid, code_length, 0);
      return MakeEntry(deflate::kLengthBase[symbol], 0, code_length,
                       deflate::kLengthExtraBits[symbol]);
    case Alphabet::kDistance:
      // Likewise distance symbols 30 and 31.
      if (symbol >= deflate::kDistanceBase.size()) return MakeEntry(0, kInvalid, code_length, 0);
      return MakeEntry(deflate::kDistanceBase[symbol], 0, code_length,
                       deflate::kDistanceExtraBits[symbol]);
    case Alphabet::kCodeLength:
      break;
  }
  return MakeEntry(symbol, 0, code_length, 0);
}

// The code's bits in the order they arrive: Huffman codes are sent most significant bit
// first into a stream read least significant bit first.
unsigned ReverseBits(unsigned code, unsigned length) {
  code = (code & 0x5555) << 1 | (code >> 1 & 0x5555);
  code = (code & 0x3333) << 2 | (code >> 2 & 0x3333);
  code = (code & 0x0F0F) << 4 | (code >> 4 & 0x0F0F);
  code = (code & 0x00FF) << 8 | (code >> 8 & 0x00FF);
  return code >> (16 - length);
}

void FillEvery(std::span<std::uint32_t> table, unsigned first, unsigned step, std::uint32_t entry) {
  for (std::size_t index = first; index < table.size(); index += step) table[index] = entry;
}

}  // namespace

bool BuildDecodeTable(std::span<const std::uint8_t> lengths, Alphabet alphabet,
                      std::span<std::uint32_t> table) {
  const unsigned index_bits = IndexBits(alphabet);
  const std::size_t first_level_size = std::size_t{1} << index_bits;
  assert(lengths.size() <= 288 && table.size() >= first_level_size);

  std::array<unsigned, kMaxCodeLength + 1> count{};
  for (const std::uint8_t length : lengths) {
    assert(length <= kMaxCodeLength);
    ++count[length];
  }
  count[0] = 0;
  int unused_space = 1;  // in units of codes of the current length
  unsigned codes = 0;
  unsigned longest = 0;
  for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
    unused_space = 2 * unused_space - static_cast<int>(count[length]);
    if (unused_space < 0) return false;  // over-subscribed
    codes += count[length];
    if (count[length] != 0) longest = length;
  }
  if (unused_space > 0) {
    // An incomplete code: Deflate allows only an empty code (a block without matches)
    // and a lone one-bit code, whose code is 0 and whose 1 is an error.
    const bool allowed = alphabet != Alphabet::kCodeLength && longest <= 1;
    if (!allowed) return false;
    FillEvery(table.first(first_level_size), 0, 1, MakeEntry(0, kInvalid, codes, 0));
  }

  // Symbols in canonical order: by code length, then by symbol.
  std::array<unsigned, kMaxCodeLength + 2> offset{};
  for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
    offset[length + 1] = offset[length] + count[length];
  }
  std::array<std::uint16_t, 288> sorted;
  for (unsigned symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0)
      sorted[offset[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);
  }

  const std::span<std::uint32_t> first_level = table.first(first_level_size);
  std::size_t next_free = first_level_size;
  unsigned open_prefix = ~0u;
  std::span<std::uint32_t> second_level;
  unsigned code = 0;
  unsigned previous_length = 0;
  for (unsigned rank = 0; rank < codes; ++rank) {
    const unsigned symbol = sorted[rank];
    const unsigned length = lengths[symbol];
    code <<= length - previous_length;
    previous_length = length;
    const unsigned reversed = ReverseBits(code, length);
    ++code;
    if (length <= index_bits) {
      FillEvery(first_level, reversed, 1u << length, SymbolEntry(alphabet, symbol, length));
    } else {
      // Canonical codes sharing their first index_bits bits are consecutive, so each
      // second-level table is opened once and filled before the next one.
      const unsigned prefix = reversed & (first_level_size - 1);
      if (prefix != open_prefix) {
        // Wide enough for every remaining code under this prefix.
        unsigned width = length - index_bits;
        int space = 1 << width;
        for (unsigned longer = length; longer < longest; ++longer) {
          space -= static_cast<int>(count[longer]);
          if (space <= 0) break;
          ++width;
          space <<= 1;
        }
        const std::size_t size = std::size_t{1} << width;
        if (next_free + size > table.size()) return false;
        first_level[prefix] =
            static_cast<std::uint32_t>(next_free) << 16 | kSubtable | width << 8 | index_bits;
        second_level = table.subspan(next_free, size);
        next_free += size;
        open_prefix = prefix;
      }
      FillEvery(second_level, reversed >> index_bits, 1u << (length - index_bits),
                SymbolEntry(alphabet, symbol, length - index_bits));
    }
    --count[length];  // from here on, count holds the codes not yet placed
  }
  return true;
}

const FixedTables& GetFixedTables() {
  static const FixedTables tables = [] {
    FixedTables fixed{};
    std::array<std::uint8_t, 288> literal_length;
    for (unsigned symbol = 0; symbol < literal_length.size(); ++symbol) {
      literal_length[symbol] =
          static_cast<std::uint8_t>(deflate::FixedLiteralLengthBits(static_cast<int>(symbol)));
    }
    std::array<std::uint8_t, 32> distance;
    distance.fill(deflate::kFixedDistanceBits);
    const bool built =
        BuildDecodeTable(literal_length, Alphabet::kLiteralLength, fixed.literal_length) &&
        BuildDecodeTable(distance, Alphabet::kDistance, fixed.distance);
    assert(built);
    static_cast<void>(built);
    return fixed;
  }();
  return tables;
}

}  // namespace pagora::inflate

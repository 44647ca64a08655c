#include "pdf/codec/deflate_block.h"

#include <algorithm>
#include <cassert>

#include "pdf/codec/code_length_coding.h"

namespace pagora::deflate {

namespace {

constexpr std::size_t kMaxStoredBlock = 65535;
constexpr int kBlockHeaderBits = 3;

struct FixedCodes {
  std::array<HuffmanCode, kLiteralLengthSymbols> literal_length{};
  std::array<HuffmanCode, kDistanceSymbols> distance{};
};

const FixedCodes& TheFixedCodes() {
  static const FixedCodes codes = [] {
    FixedCodes fixed;
    std::array<std::uint8_t, kLiteralLengthSymbols> literal_lengths{};
    for (int symbol = 0; symbol < kLiteralLengthSymbols; ++symbol) {
      literal_lengths[symbol] = static_cast<std::uint8_t>(FixedLiteralLengthBits(symbol));
    }
    std::array<std::uint8_t, kDistanceSymbols> distance_lengths{};
    distance_lengths.fill(kFixedDistanceBits);
    const bool built = FlateAssignCodes(literal_lengths, fixed.literal_length) &&
                       FlateAssignCodes(distance_lengths, fixed.distance);
    assert(built);
    static_cast<void>(built);
    return fixed;
  }();
  return codes;
}

// Bits of the symbols and their extra bits, with a code length per symbol.
template <typename LiteralBits, typename DistanceBits>
std::uint64_t DataBits(const Lz77Result& pass, LiteralBits literal_bits,
                       DistanceBits distance_bits) {
  std::uint64_t bits = 0;
  for (int symbol = 0; symbol < kLiteralLengthSymbols; ++symbol) {
    const std::uint64_t count = pass.literal_length_frequencies[symbol];
    if (count == 0) continue;
    int extra = 0;
    if (symbol >= kFirstLengthSymbol && symbol - kFirstLengthSymbol < 29) {
      extra = kLengthExtraBits[symbol - kFirstLengthSymbol];
    }
    bits += count * static_cast<std::uint64_t>(literal_bits(symbol) + extra);
  }
  for (int symbol = 0; symbol < kDistanceSymbols; ++symbol) {
    const std::uint64_t count = pass.distance_frequencies[symbol];
    bits += count * static_cast<std::uint64_t>(distance_bits(symbol) + kDistanceExtraBits[symbol]);
  }
  return bits;
}

std::uint64_t BytesOfBits(std::uint64_t bits) {
  return (kBlockHeaderBits + bits) / 8 + 1;
}

// A match's length symbol and extra bits as one field, for each length 3 to 258.
struct LengthField {
  std::uint32_t bits = 0;
  int count = 0;
};
using LengthFields = std::array<LengthField, kMaxMatchLength - kMinMatchLength + 1>;

void WriteTokens(std::span<const std::uint8_t> input, const Lz77Result& pass,
                 std::span<const HuffmanCode, kLiteralLengthSymbols> literal_length,
                 std::span<const HuffmanCode, kDistanceSymbols> distance, BitWriter& writer) {
  LengthFields length_fields;
  for (int length = kMinMatchLength; length <= kMaxMatchLength; ++length) {
    const int index = kLengthCodeIndex[length - kMinMatchLength];
    const HuffmanCode code = literal_length[kFirstLengthSymbol + index];
    length_fields[length - kMinMatchLength] = {
        code.bits | static_cast<std::uint32_t>(length - kLengthBase[index]) << code.length,
        code.length + kLengthExtraBits[index]};
  }
  // Literal codes are at most 15 bits, so three fit between flushes; a whole match (at
  // most 15 + 5 + 15 + 13 bits) fits too.
  static_assert(3 * kMaxCodeLength <= BitWriter::kRoomAfterFlush);
  static_assert(2 * kMaxCodeLength + 5 + 13 <= BitWriter::kRoomAfterFlush);
  const std::uint8_t* literal = input.data();
  for (const Token token : pass.tokens) {
    if (!token.IsMatch()) {
      const std::uint8_t* const end = literal + token.LiteralCount();
      for (; end - literal >= 3; literal += 3) {
        for (int i = 0; i < 3; ++i) {
          const HuffmanCode code = literal_length[literal[i]];
          writer.AddBits(code.bits, code.length);
        }
        writer.Flush();
      }
      for (; literal < end; ++literal) {
        const HuffmanCode code = literal_length[*literal];
        writer.AddBits(code.bits, code.length);
      }
      writer.Flush();
      continue;
    }
    const int length = token.Length();
    const int distance_value = token.Distance();
    const LengthField length_field = length_fields[length - kMinMatchLength];
    writer.AddBits(length_field.bits, length_field.count);
    const int distance_symbol = DistanceSymbol(distance_value);
    const HuffmanCode distance_code = distance[distance_symbol];
    writer.AddBits(distance_code.bits, distance_code.length);
    writer.AddBits(static_cast<std::uint32_t>(distance_value - kDistanceBase[distance_symbol]),
                   kDistanceExtraBits[distance_symbol]);
    writer.Flush();
    literal += length;
  }
  assert(literal == input.data() + input.size());
  const HuffmanCode end_code = literal_length[kEndOfBlock];
  writer.PutBits(end_code.bits, end_code.length);
}

void WriteBlockHeader(bool final, BlockType type, BitWriter& writer) {
  writer.PutBits(final ? 1 : 0, 1);
  writer.PutBits(static_cast<std::uint32_t>(type), 2);
}

}  // namespace

BlockSizes MeasureBlocks(std::size_t input_size, const Lz77Result& pass,
                         const DynamicCodes* dynamic) {
  BlockSizes sizes;
  sizes.stored = input_size + 5;
  sizes.fixed = BytesOfBits(DataBits(
      pass, [](int symbol) { return FixedLiteralLengthBits(symbol); },
      [](int) { return kFixedDistanceBits; }));
  if (dynamic == nullptr) {
    sizes.dynamic = kUnbuildableBlockBytes;
  } else {
    sizes.dynamic = BytesOfBits(
        dynamic->header_bits +
        DataBits(
            pass, [&](int symbol) { return int{dynamic->literal_length_lengths[symbol]}; },
            [&](int symbol) { return int{dynamic->distance_lengths[symbol]}; }));
  }
  return sizes;
}

BlockType ChooseBlockType(const BlockSizes& sizes) {
  BlockType type = BlockType::kStored;
  std::uint64_t best = sizes.stored;
  if (sizes.fixed < best) {
    type = BlockType::kFixed;
    best = sizes.fixed;
  }
  if (sizes.dynamic < best) type = BlockType::kDynamic;
  return type;
}

void WriteStoredBlocks(std::span<const std::uint8_t> input, BitWriter& writer) {
  // An empty input still needs its one final block.
  do {
    const std::size_t length = std::min(input.size(), kMaxStoredBlock);
    WriteBlockHeader(length == input.size(), BlockType::kStored, writer);
    writer.AlignToByte();
    const auto len = static_cast<std::uint16_t>(length);
    const auto nlen = static_cast<std::uint16_t>(~len);
    const std::array<std::uint8_t, 4> lengths = {
        static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(len >> 8),
        static_cast<std::uint8_t>(nlen), static_cast<std::uint8_t>(nlen >> 8)};
    writer.PutBytes(lengths);
    writer.PutBytes(input.first(length));
    input = input.subspan(length);
  } while (!input.empty());
}

void WriteFixedBlock(std::span<const std::uint8_t> input, const Lz77Result& pass,
                     BitWriter& writer) {
  const FixedCodes& codes = TheFixedCodes();
  WriteBlockHeader(true, BlockType::kFixed, writer);
  WriteTokens(input, pass, codes.literal_length, codes.distance, writer);
}

void WriteDynamicBlock(std::span<const std::uint8_t> input, const Lz77Result& pass,
                       const DynamicCodes& codes, BitWriter& writer) {
  WriteBlockHeader(true, BlockType::kDynamic, writer);
  writer.PutBits(static_cast<std::uint32_t>(codes.literal_length_count - 257), 5);
  writer.PutBits(static_cast<std::uint32_t>(codes.distance_count - 1), 5);
  writer.PutBits(static_cast<std::uint32_t>(codes.code_length_count - 4), 4);
  for (int i = 0; i < codes.code_length_count; ++i) {
    writer.PutBits(codes.code_length_lengths[kCodeLengthOrder[i]], 3);
  }
  FlateSendTree(std::span(codes.literal_length_lengths.data(), codes.literal_length_count),
                codes.code_length_codes, writer);
  FlateSendTree(std::span(codes.distance_lengths.data(), codes.distance_count),
                codes.code_length_codes, writer);
  WriteTokens(input, pass, codes.literal_length_codes, codes.distance_codes, writer);
}

}  // namespace pagora::deflate

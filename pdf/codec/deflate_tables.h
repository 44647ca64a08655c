#pragma once

#include <array>
#include <bit>
#include <cstdint>

// Constants of the Deflate format (RFC 1951) shared by the encoder's pieces.
namespace pagora::deflate {

inline constexpr int kMinMatchLength = 3;
inline constexpr int kMaxMatchLength = 258;
// One less than the format allows: the encoder never refers 32768 bytes back.
inline constexpr int kMaxMatchDistance = 32767;

inline constexpr int kLiteralLengthSymbols = 288;  // 286 and 287 are never sent
inline constexpr int kDistanceSymbols = 30;
inline constexpr int kCodeLengthSymbols = 19;
inline constexpr int kEndOfBlock = 256;
inline constexpr int kFirstLengthSymbol = 257;

inline constexpr int kMaxCodeLength = 15;
inline constexpr int kMaxCodeLengthCodeLength = 7;

inline constexpr int kRepeatPrevious = 16;  // 3 to 6 copies of the previous length, 2 extra bits
inline constexpr int kRepeatZero3 = 17;     // 3 to 10 zeros, 3 extra bits
inline constexpr int kRepeatZero11 = 18;    // 11 to 138 zeros, 7 extra bits

inline constexpr std::array<std::uint16_t, 29> kLengthBase = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr std::array<std::uint8_t, 29> kLengthExtraBits = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

inline constexpr std::array<std::uint16_t, kDistanceSymbols> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr std::array<std::uint8_t, kDistanceSymbols> kDistanceExtraBits = {
    0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The order in which a dynamic block header lists the code-length code lengths.
inline constexpr std::array<std::uint8_t, kCodeLengthSymbols> kCodeLengthOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// Extra bits sent after each code-length symbol (only the repeat symbols have any).
constexpr int CodeLengthExtraBits(int symbol) {
  return symbol == kRepeatPrevious ? 2
         : symbol == kRepeatZero3  ? 3
         : symbol == kRepeatZero11 ? 7
                                   : 0;
}

// Index into kLengthBase (the symbol minus 257) for every match length minus 3.
inline constexpr std::array<std::uint8_t, 256> kLengthCodeIndex = [] {
  std::array<std::uint8_t, 256> table{};
  int code = 0;
  for (int length = kMinMatchLength; length <= kMaxMatchLength; ++length) {
    while (code + 1 < 29 && kLengthBase[code + 1] <= length) ++code;
    table[length - kMinMatchLength] = static_cast<std::uint8_t>(code);
  }
  return table;
}();

// The distance symbol (0 to 29) of a distance of 1 to 32768: two symbols per power of two.
constexpr int DistanceSymbol(int distance) {
  const unsigned offset = static_cast<unsigned>(distance - 1);
  if (offset < 4) return static_cast<int>(offset);
  const int top_bit = std::bit_width(offset) - 1;
  return 2 * top_bit + static_cast<int>((offset >> (top_bit - 1)) & 1);
}

// Code lengths of the fixed literal/length code.
constexpr int FixedLiteralLengthBits(int symbol) {
  return symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
}
inline constexpr int kFixedDistanceBits = 5;

}  // namespace pagora::deflate

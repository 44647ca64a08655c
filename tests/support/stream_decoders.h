#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Strict decoders for the stream filters, written for the tests independently of the
// encoders: each rejects (nullopt) anything the filter's format does not allow, so a round
// trip through them checks the encoded form as well as the data.
namespace pagora::testing {

using Bytes = std::vector<std::uint8_t>;

// RunLengthDecode; requires the end-of-data byte 128 as the last byte.
std::optional<Bytes> DecodeRunLength(std::span<const std::uint8_t> encoded);
// ASCII85Decode; requires "~>" at the end and nothing after it, and accepts no blanks.
std::optional<Bytes> DecodeAscii85(std::span<const std::uint8_t> encoded);
// ASCIIHexDecode of an even number of upper-case digits with no blanks and no ">".
std::optional<Bytes> DecodeAsciiHex(std::span<const std::uint8_t> encoded);

struct LzwCode {
  int code = 0;
  int width = 0;
};
struct LzwDecoded {
  Bytes data;
  // Every code read, in order, with the width it was read at.
  std::vector<LzwCode> codes;
};
// LZWDecode with /EarlyChange 1: codes widen from 9 to 12 bits one string early. Requires
// the stream to start with the clear-table code, end with the end-of-data code followed only
// by zero padding bits, and never to name a code the table does not hold yet.
std::optional<LzwDecoded> DecodeLzw(std::span<const std::uint8_t> encoded);

}  // namespace pagora::testing

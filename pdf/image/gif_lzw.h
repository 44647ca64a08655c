#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pagora {

// Bytes past the pixels that the decoder may scribble on: it copies dictionary strings in
// whole 8-byte words, and the tail of the last word lands here.
inline constexpr std::size_t kGifLzwSlack = 16;

// Lowest and highest LZW minimum code sizes a GIF image may declare: the first code width is
// one more, and codes are at most 12 bits wide.
inline constexpr int kGifMinCodeSizeLow = 1;
inline constexpr int kGifMinCodeSizeHigh = 11;

// Decodes the LZW data of one GIF image (its data sub-blocks already joined) into one byte
// per pixel, in the order the pixels are stored.
//
// Codes are read least significant bit first; the clear code is 2^min_code_size and the end
// code the one after it. The dictionary holds codes up to 4095; once 4095 is defined it is
// frozen and decoding goes on with 12-bit codes until the next clear code.
//
// Preconditions: min_code_size in [kGifMinCodeSizeLow, kGifMinCodeSizeHigh];
// out.size() >= kGifLzwSlack. The first out.size() - kGifLzwSlack bytes receive pixels; the
// slack bytes are scratch.
//
// Returns how many pixels were decoded. Decoding stops at the end code, when the pixel room
// is full (surplus pixels are dropped), when the data runs out, or at a code that no valid
// encoder can send (an undefined code, or a non-literal first code after a clear); pixels
// not reached are left as they were. A literal too large for a byte (min code size above 8)
// decodes as index 0. Never reads outside `data` or writes outside `out`.
std::size_t DecodeGifLzw(std::span<const std::uint8_t> data, int min_code_size,
                         std::span<std::uint8_t> out);

}  // namespace pagora

#pragma once

// The fixed codes and widths of the /LZWDecode format, shared by its encoder and decoder.
namespace pagora::lzw {

inline constexpr int kClearCode = 256;
inline constexpr int kEndOfData = 257;
inline constexpr int kFirstStringCode = 258;
inline constexpr int kMinCodeWidth = 9;
inline constexpr int kMaxCodeWidth = 12;
inline constexpr int kTableSize = 1 << kMaxCodeWidth;

}  // namespace pagora::lzw

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pagora::inflate {

// How far past a match CopyMatch may write.
inline constexpr std::size_t kMatchCopyOverrun = 16;

// Copies `length` (3 to 258) bytes from `distance` bytes back, where the copy may overlap
// the bytes it produces. Works sixteen or eight bytes at a time and may write up to
// kMatchCopyOverrun bytes past the match, which the caller's buffer must have room for;
// those bytes are overwritten by whatever comes next.
inline void CopyMatch(std::uint8_t* out, std::size_t distance, std::size_t length) {
  const std::uint8_t* from = out - distance;
  std::uint8_t* const end = out + length;
  std::uint64_t word;
  if (distance >= 16) {
    std::uint8_t block[16];
    do {
      std::memcpy(block, from, 16);
      std::memcpy(out, block, 16);
      from += 16;
      out += 16;
    } while (out < end);
  } else if (distance >= 8) {
    // Each word read lies wholly before the word written, even when the match overlaps.
    do {
      std::memcpy(&word, from, 8);
      std::memcpy(out, &word, 8);
      from += 8;
      out += 8;
    } while (out < end);
  } else if (distance == 1) {
    word = from[0] * std::uint64_t{0x0101010101010101};
    do {
      std::memcpy(out, &word, 8);
      out += 8;
    } while (out < end);
  } else {
    // A pattern shorter than a word: lay down its first eight bytes one at a time, then
    // repeat whole periods, stepping by the largest multiple of the period within a word.
    for (int i = 0; i < 8; ++i) out[i] = from[i];
    const std::size_t step = 8 - 8 % distance;
    for (std::uint8_t* to = out + step; to < end; to += step) {
      std::memcpy(&word, to - step, 8);
      std::memcpy(to, &word, 8);
    }
  }
}

}  // namespace pagora::inflate

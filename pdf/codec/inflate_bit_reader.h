#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace pagora::inflate {

// Reads a Deflate stream's bits, least significant first, through a 64-bit buffer.
//
// Invariant: the `count_` low bits of `bits_` are the last `count_` bits before `next_`;
// bits above them are zero or a copy of the low bits of the byte at `next_`, so loading
// that byte again with an OR changes nothing. Once the input is used up, every bit above
// `count_` is zero: a table lookup then sees zeros where the stream has ended, and the
// decoder knows the stream is truncated when the entry found wants more than `count_`.
class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> data)
      : next_(data.data()), end_(data.data() + data.size()) {}

  // Whether RefillFast() may run: it loads eight bytes at once.
  bool CanRefillFast() const { return end_ - next_ >= 8; }

  // Fills the buffer to 56 bits or more without a loop: loads eight bytes, keeps the
  // whole bytes that fit and leaves `next_` on the first byte not wholly taken.
  void RefillFast() {
    std::uint64_t word;
    std::memcpy(&word, next_, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = ByteSwap(word);
    bits_ |= word << count_;
    next_ += (63 - count_) >> 3;
    count_ |= 56;
  }

  // Loads whole bytes while they fit and the input lasts: afterwards at least 56 bits
  // are buffered unless the input has ended.
  void Refill() {
    while (count_ <= 55 && next_ != end_) {
      bits_ |= std::uint64_t{*next_++} << count_;
      count_ += 8;
    }
  }

  std::uint64_t bits() const { return bits_; }
  unsigned count() const { return count_; }
  void Drop(unsigned n) {
    bits_ >>= n;
    count_ -= n;
  }

  // Reads an n-bit number (n at most 16). False when the input ends first.
  bool Read(unsigned n, unsigned& value) {
    Refill();
    if (n > count_) return false;
    value = static_cast<unsigned>(bits_ & ((std::uint64_t{1} << n) - 1));
    Drop(n);
    return true;
  }

  // Skips to the next byte boundary and gives the buffered whole bytes back to the input,
  // so that the bytes of a stored block are read directly.
  void AlignToByte() {
    next_ -= count_ / 8;
    bits_ = 0;
    count_ = 0;
  }

  // The input from the read position on; meaningful after AlignToByte().
  std::span<const std::uint8_t> Rest() const {
    return {next_, static_cast<std::size_t>(end_ - next_)};
  }
  void Skip(std::size_t bytes) { next_ += bytes; }

 private:
  static std::uint64_t ByteSwap(std::uint64_t word) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) swapped = swapped << 8 | ((word >> (8 * i)) & 0xFF);
    return swapped;
  }

  const std::uint8_t* next_;
  const std::uint8_t* end_;
  std::uint64_t bits_ = 0;
  unsigned count_ = 0;  // at most 63, so that RefillFast's shift is defined
};

}  // namespace pagora::inflate

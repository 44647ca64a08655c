#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace pagora::deflate {

// Appends bit fields to a byte vector, least significant bit first, as Deflate packs them.
// The vector is sized once from the caller's estimate and grows geometrically only if the
// estimate was short; Finish() trims it to the bytes written.
//
// Bits gather in a 64-bit word that is stored whole and then advanced by its complete
// bytes, so a flush costs one store whatever the number of bytes; after a flush at most 7
// bits are pending, which leaves room for 56 more.
class BitWriter {
 public:
  // The most bits AddBits may gather between two flushes.
  static constexpr int kRoomAfterFlush = 56;

  BitWriter(std::vector<std::uint8_t>& out, std::size_t expected_bytes)
      : out_(out), position_(out.size()) {
    out_.resize(position_ + expected_bytes + kSlack);
  }

  // Appends the low `bit_count` bits of `value` (bit_count at most 32, higher bits zero).
  void PutBits(std::uint32_t value, int bit_count) {
    AddBits(value, bit_count);
    Flush();
  }

  // Appends bits without flushing: at most kRoomAfterFlush bits in all since the last
  // Flush or PutBits (higher bits of `value` zero).
  void AddBits(std::uint64_t value, int bit_count) {
    pending_ |= value << pending_count_;
    pending_count_ += bit_count;
  }

  // Writes the complete bytes of the pending bits.
  void Flush() {
    if (position_ + sizeof(pending_) > out_.size()) Grow();
    std::uint64_t little_endian = pending_;
    if constexpr (std::endian::native == std::endian::big) {
      little_endian = ByteSwap(little_endian);
    }
    std::memcpy(out_.data() + position_, &little_endian, sizeof(little_endian));
    // At most 63 bits are pending, so the shift stays below 64.
    const int whole_bits = pending_count_ & ~7;
    position_ += static_cast<std::size_t>(whole_bits / 8);
    pending_ >>= whole_bits;
    pending_count_ -= whole_bits;
  }

  // Pads with zero bits to the next byte boundary.
  void AlignToByte() { PutBits(0, (8 - pending_count_ % 8) % 8); }

  // Appends whole bytes; the writer must be on a byte boundary.
  void PutBytes(std::span<const std::uint8_t> bytes);

  // Writes the last partial byte and trims the vector to the bytes written.
  void Finish();

 private:
  // Room for one whole-word store past the last byte.
  static constexpr std::size_t kSlack = 8;

  static std::uint64_t ByteSwap(std::uint64_t value) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) swapped = swapped << 8 | ((value >> (8 * i)) & 0xFF);
    return swapped;
  }

  void Grow();
  void Reserve(std::size_t bytes);

  std::vector<std::uint8_t>& out_;
  std::size_t position_;
  std::uint64_t pending_ = 0;
  int pending_count_ = 0;
};

}  // namespace pagora::deflate

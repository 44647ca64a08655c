#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pagora::deflate {

// Appends bit fields to a byte vector, least significant bit first, as Deflate packs them.
// The vector is sized once from the caller's estimate and grows geometrically only if the
// estimate was short; Finish() trims it to the bytes written.
class BitWriter {
 public:
  BitWriter(std::vector<std::uint8_t>& out, std::size_t expected_bytes)
      : out_(out), position_(out.size()) {
    out_.resize(position_ + expected_bytes + kSlack);
  }

  // Appends the low `bit_count` bits of `value` (bit_count at most 32, higher bits zero).
  void PutBits(std::uint32_t value, int bit_count) {
    pending_ |= static_cast<std::uint64_t>(value) << pending_count_;
    pending_count_ += bit_count;
    if (pending_count_ >= 32) Spill();
  }

  // Pads with zero bits to the next byte boundary.
  void AlignToByte() { PutBits(0, (8 - pending_count_ % 8) % 8); }

  // Appends whole bytes; the writer must be on a byte boundary.
  void PutBytes(std::span<const std::uint8_t> bytes);

  // Writes the last partial byte and trims the vector to the bytes written.
  void Finish();

 private:
  static constexpr std::size_t kSlack = 8;

  void Spill();
  void FlushWholeBytes();
  void Reserve(std::size_t bytes);

  std::vector<std::uint8_t>& out_;
  std::size_t position_;
  std::uint64_t pending_ = 0;
  int pending_count_ = 0;
};

}  // namespace pagora::deflate

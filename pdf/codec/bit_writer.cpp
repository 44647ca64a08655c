#include "pdf/codec/bit_writer.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace pagora::deflate {

void BitWriter::Reserve(std::size_t bytes) {
  if (position_ + bytes + kSlack <= out_.size()) return;
  out_.resize(std::max(out_.size() * 2, position_ + bytes + kSlack));
}

void BitWriter::Spill() {
  Reserve(4);
  for (int i = 0; i < 4; ++i) out_[position_ + i] = static_cast<std::uint8_t>(pending_ >> (8 * i));
  position_ += 4;
  pending_ >>= 32;
  pending_count_ -= 32;
}

void BitWriter::FlushWholeBytes() {
  Reserve(8);
  while (pending_count_ >= 8) {
    out_[position_++] = static_cast<std::uint8_t>(pending_);
    pending_ >>= 8;
    pending_count_ -= 8;
  }
}

void BitWriter::PutBytes(std::span<const std::uint8_t> bytes) {
  assert(pending_count_ % 8 == 0);
  FlushWholeBytes();
  Reserve(bytes.size());
  if (!bytes.empty()) std::memcpy(out_.data() + position_, bytes.data(), bytes.size());
  position_ += bytes.size();
}

void BitWriter::Finish() {
  AlignToByte();
  FlushWholeBytes();
  out_.resize(position_);
}

}  // namespace pagora::deflate

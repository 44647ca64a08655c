#include "pdf/codec/bit_writer.h"

#include <algorithm>
#include <cassert>

namespace pagora::deflate {

void BitWriter::Reserve(std::size_t bytes) {
  if (position_ + bytes + kSlack <= out_.size()) return;
  out_.resize(std::max(out_.size() * 2, position_ + bytes + kSlack));
}

void BitWriter::Grow() {
  Reserve(sizeof(pending_));
}

void BitWriter::PutBytes(std::span<const std::uint8_t> bytes) {
  assert(pending_count_ == 0);
  Reserve(bytes.size());
  if (!bytes.empty()) std::memcpy(out_.data() + position_, bytes.data(), bytes.size());
  position_ += bytes.size();
}

void BitWriter::Finish() {
  AlignToByte();
  out_.resize(position_);
}

}  // namespace pagora::deflate

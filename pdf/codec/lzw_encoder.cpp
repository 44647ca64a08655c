#include "pdf/codec/lzw_encoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>

#include "pdf/codec/lzw_codes.h"

namespace pagora {
namespace {

using lzw::kClearCode;
using lzw::kEndOfData;
using lzw::kFirstStringCode;
using lzw::kMaxCodeWidth;
using lzw::kMinCodeWidth;

// The strings of the table, each a known prefix code followed by one byte, found by
// open addressing with double hashing. 5021 is a prime a little above the 3838 strings
// the widest table holds, so every probe step visits all slots and probes stay short.
// A slot holds the string's key (prefix and byte, 20 bits) above its code (12 bits); 0
// is free, since no string has a code below 258.
class StringTable {
 public:
  static constexpr int kNotFound = -1;

  void Clear() { slots_.fill(0); }

  // Looks up prefix + byte. Returns its code, or kNotFound with the free slot where
  // Insert will put it remembered.
  int Find(int prefix, std::uint8_t byte) {
    const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | byte;
    const std::uint32_t hash = key * 0x9E3779B1u;
    // The high bits of the product, scaled to the table, pick the first slot; low bits
    // pick the step, so that strings colliding there part at once.
    std::uint32_t slot = static_cast<std::uint32_t>((std::uint64_t{hash} * kSlots) >> 32);
    const std::uint32_t step = 1 + (hash >> 8 & 1023);
    for (std::uint32_t entry; (entry = slots_[slot]) != 0;) {
      if (entry >> kCodeBits == key) return static_cast<int>(entry & kCodeMask);
      slot = slot >= step ? slot - step : slot + kSlots - step;
    }
    free_slot_ = slot;
    return kNotFound;
  }

  // Adds the string of the last unsuccessful Find under `code`.
  void Insert(int prefix, std::uint8_t byte, int code) {
    const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | byte;
    slots_[free_slot_] = key << kCodeBits | static_cast<std::uint32_t>(code);
  }

 private:
  static constexpr std::uint32_t kSlots = 5021;
  static constexpr int kCodeBits = 12;
  static constexpr std::uint32_t kCodeMask = (1u << kCodeBits) - 1;
  std::array<std::uint32_t, kSlots> slots_;
  std::uint32_t free_slot_ = 0;
};

// Packs codes most significant bit first into a buffer sized in advance, with one byte of
// slack after the last complete byte.
class CodeWriter {
 public:
  explicit CodeWriter(std::uint8_t* out) : out_(out) {}
  // Codes are 9 to 12 bits, so each completes one or two bytes. Both candidates are
  // stored and the output advances past the complete ones: no branch on the count.
  void Write(int code, int width) {
    bits_ = bits_ << width | static_cast<std::uint32_t>(code);
    pending_ += width;
    out_[0] = static_cast<std::uint8_t>(bits_ >> (pending_ - 8));
    out_[1] = static_cast<std::uint8_t>((bits_ << 8) >> (pending_ - 8));
    out_ += pending_ >> 3;
    pending_ &= 7;
  }
  // Pads the last byte with zero bits; returns the end of the output.
  std::uint8_t* Finish() {
    if (pending_ > 0) *out_++ = static_cast<std::uint8_t>(bits_ << (8 - pending_));
    return out_;
  }

 private:
  std::uint8_t* out_;
  std::uint64_t bits_ = 0;
  int pending_ = 0;
};

// Every input byte ends at most one code; add the clear code written each time the
// smallest table (254 strings) fills, the first clear code, the last string and the
// end-of-data code, all at the widest width, and the writer's slack byte.
std::size_t MaxEncodedSize(std::size_t n, int width) {
  const std::size_t codes = n + n / (511 - kFirstStringCode + 1) + 3;
  return (codes * static_cast<std::size_t>(width) + 7) / 8 + 1;
}

}  // namespace

std::vector<std::uint8_t> EncodeLzw(std::span<const std::uint8_t> input, int level) {
  const int table_width = kMinCodeWidth + std::clamp(level, 0, 3);
  const int largest_code = (1 << table_width) - 1;
  // Making the largest string widens the codes once more, for the clear code that follows.
  const int widest = std::min(table_width + 1, kMaxCodeWidth);
  std::vector<std::uint8_t> output(MaxEncodedSize(input.size(), widest));
  CodeWriter writer(output.data());
  writer.Write(kClearCode, kMinCodeWidth);
  if (input.empty()) {
    writer.Write(kEndOfData, kMinCodeWidth);
    output.resize(static_cast<std::size_t>(writer.Finish() - output.data()));
    return output;
  }

  auto table = std::make_unique_for_overwrite<StringTable>();
  table->Clear();
  int width = kMinCodeWidth;
  int next_code = kFirstStringCode;
  int current = input[0];
  for (std::size_t i = 1; i < input.size(); ++i) {
    if (next_code > largest_code) {
      writer.Write(kClearCode, width);
      table->Clear();
      width = kMinCodeWidth;
      next_code = kFirstStringCode;
    }
    const std::uint8_t byte = input[i];
    const int code = table->Find(current, byte);
    if (code != StringTable::kNotFound) {
      current = code;
      continue;
    }
    writer.Write(current, width);
    table->Insert(current, byte, next_code);
    // With early change the decoder reads one bit more from the code after the one that
    // made string 511 (1023, 2047).
    if (next_code == (1 << width) - 1 && width < kMaxCodeWidth) ++width;
    ++next_code;
    current = byte;
  }
  writer.Write(current, width);
  // The decoder learns each string one code after the encoder made it. Reading the
  // end-of-data code it has caught up, so its early widening comes one string sooner.
  if (next_code == (1 << width) - 1 && width < kMaxCodeWidth) ++width;
  writer.Write(kEndOfData, width);
  output.resize(static_cast<std::size_t>(writer.Finish() - output.data()));
  return output;
}

}  // namespace pagora

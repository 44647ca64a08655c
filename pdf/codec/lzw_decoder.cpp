#include <array>
#include <memory>

#include "pdf/codec/filter_decoders.h"
#include "pdf/codec/lzw_codes.h"

namespace pagora {
namespace {

using lzw::kClearCode;
using lzw::kEndOfData;
using lzw::kFirstStringCode;
using lzw::kMaxCodeWidth;
using lzw::kMinCodeWidth;
using lzw::kTableSize;

// Each code is its prefix code plus one byte; strings are spelled by walking prefixes back.
struct LzwTable {
  std::array<std::uint16_t, kTableSize> prefix{};
  std::array<std::uint8_t, kTableSize> last{};
  std::array<std::uint8_t, kTableSize> first{};
  std::array<std::uint16_t, kTableSize> length{};

  LzwTable() {
    for (int code = 0; code < 256; ++code) {
      last[code] = first[code] = static_cast<std::uint8_t>(code);
      length[code] = 1;
    }
  }
};

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> data) : data_(data) {}

  // The next `width` bits, most significant first; -1 when fewer remain.
  int Read(int width) {
    while (bit_count_ < width) {
      if (next_ == data_.size()) return -1;
      bits_ = bits_ << 8 | data_[next_++];
      bit_count_ += 8;
    }
    bit_count_ -= width;
    return static_cast<int>(bits_ >> bit_count_ & ((1u << width) - 1));
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t next_ = 0;
  std::uint32_t bits_ = 0;
  int bit_count_ = 0;
};

// Writes the string of `code` at the end of `out`, last byte first.
void AppendString(const LzwTable& table, int code, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  out.resize(start + table.length[code]);
  for (std::size_t i = out.size(); i > start; code = table.prefix[code]) {
    out[--i] = table.last[code];
  }
}

}  // namespace

FilterResult DecodeLzw(std::span<const std::uint8_t> data, bool early_change,
                       std::size_t max_output) {
  FilterResult result;
  auto table = std::make_unique<LzwTable>();
  BitReader reader(data);
  const int early = early_change ? 1 : 0;
  int width = kMinCodeWidth;
  int next_code = kFirstStringCode;
  int previous = -1;
  for (;;) {
    const int code = reader.Read(width);
    if (code < 0 || code == kEndOfData) break;  // padding bits after the last code end it too
    if (code == kClearCode) {
      width = kMinCodeWidth;
      next_code = kFirstStringCode;
      previous = -1;
      continue;
    }
    if (code > next_code || (code == next_code && previous < 0) || (previous < 0 && code > 255)) {
      result.status = FilterStatus::kInvalidData;
      return result;
    }
    if (previous >= 0 && next_code < kTableSize) {
      // For the code being defined right now (code == next_code) the new byte is the
      // first byte of the previous string.
      const int source = code == next_code ? previous : code;
      table->prefix[next_code] = static_cast<std::uint16_t>(previous);
      table->last[next_code] = table->first[source];
      table->first[next_code] = table->first[previous];
      table->length[next_code] = static_cast<std::uint16_t>(table->length[previous] + 1);
      ++next_code;
      if (next_code + early >= (1 << width) && width < kMaxCodeWidth) ++width;
    } else if (code == next_code) {
      result.status = FilterStatus::kInvalidData;  // the full table defines no new code
      return result;
    }
    if (max_output - result.bytes.size() < table->length[code]) {
      result.status = FilterStatus::kTooLarge;
      return result;
    }
    AppendString(*table, code, result.bytes);
    previous = code;
  }
  return result;
}

}  // namespace pagora

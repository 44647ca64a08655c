#include "pdf/image/gif_lzw.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pagora {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr std::uint32_t kDictionarySize = 1u << kMaxCodeBits;

// Codes are packed least significant bit first; a 64-bit reservoir holds the bits not yet
// taken, refilled a whole word at a time while eight bytes remain.
class CodeReader {
 public:
  explicit CodeReader(std::span<const std::uint8_t> data) : data_(data) {}

  // Takes the next `width` bits; false when the data cannot supply them.
  bool Next(int width, std::uint32_t& code) {
    if (count_ < width) {
      Refill();
      if (count_ < width) return false;
    }
    code = static_cast<std::uint32_t>(bits_) & ((1u << width) - 1);
    bits_ >>= width;
    count_ -= width;
    return true;
  }

 private:
  void Refill() {
    if (data_.size() - position_ >= 8) {
      std::uint64_t word = 0;
      for (int i = 7; i >= 0; --i) word = (word << 8) | data_[position_ + i];
      const int taken = (63 - count_) / 8;
      bits_ |= word << count_;
      position_ += taken;
      count_ += taken * 8;
      return;
    }
    while (count_ <= 56 && position_ < data_.size()) {
      bits_ |= std::uint64_t{data_[position_++]} << count_;
      count_ += 8;
    }
  }

  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

// A dictionary string is always a run of earlier output: the previous code's output and
// the first pixel after it. So an entry is a place and a length, never a copied string.
struct Entry {
  std::uint32_t offset;
  std::uint32_t length;
};

// Copies `length` bytes from earlier output in whole words. Bytes past `length` that it
// writes are scratch, overwritten by the next output or landing in the slack.
inline void CopyEarlier(std::uint8_t* to, const std::uint8_t* from, std::size_t length) {
  std::uint8_t* const stop = to + length;
  do {
    std::memmove(to, from, 8);
    to += 8;
    from += 8;
  } while (to < stop);
}

}  // namespace

std::size_t DecodeGifLzw(std::span<const std::uint8_t> data, int min_code_size,
                         std::span<std::uint8_t> out) {
  // Offsets are 32-bit; the reader never asks for more than 256 MiB anyway.
  const std::size_t capacity =
      std::min<std::size_t>(out.size() - kGifLzwSlack, UINT32_MAX - kGifLzwSlack);
  std::uint8_t* const pixels = out.data();
  const std::uint32_t clear_code = 1u << min_code_size;
  const std::uint32_t end_code = clear_code + 1;

  std::array<Entry, kDictionarySize> dictionary;
  CodeReader reader(data);
  int width = min_code_size + 1;
  std::uint32_t width_limit = 1u << width;
  std::uint32_t next_free = clear_code + 2;
  std::size_t position = 0;
  std::size_t previous_offset = 0;
  std::size_t previous_length = 0;  // 0: no previous output since the start or a clear code
  std::uint32_t code = 0;

  while (position < capacity && reader.Next(width, code)) {
    if (code == clear_code) {
      width = min_code_size + 1;
      width_limit = 1u << width;
      next_free = clear_code + 2;
      previous_length = 0;
      continue;
    }
    if (code == end_code) break;

    const std::size_t room = capacity - position;
    std::size_t length = 1;
    if (code < clear_code) {
      pixels[position] = code < 256 ? static_cast<std::uint8_t>(code) : 0;
    } else if (previous_length == 0) {
      break;
    } else if (code < next_free) {
      const Entry entry = dictionary[code];
      length = entry.length;
      CopyEarlier(pixels + position, pixels + entry.offset, std::min<std::size_t>(length, room));
    } else if (code == next_free && next_free < kDictionarySize) {
      // The code being defined right now: the previous output plus its own first pixel.
      length = previous_length + 1;
      CopyEarlier(pixels + position, pixels + previous_offset, std::min(previous_length, room));
      if (room > previous_length) pixels[position + previous_length] = pixels[previous_offset];
    } else {
      break;
    }

    if (previous_length != 0 && next_free < kDictionarySize) {
      dictionary[next_free++] = {static_cast<std::uint32_t>(previous_offset),
                                 static_cast<std::uint32_t>(previous_length + 1)};
      if (next_free == width_limit && width < kMaxCodeBits) {
        ++width;
        width_limit <<= 1;
      }
    }
    previous_offset = position;
    previous_length = length;
    position += std::min(length, room);
  }
  return position;
}

}  // namespace pagora

#include "tests/support/stream_decoders.h"

#include <cstddef>

namespace pagora::testing {

std::optional<Bytes> DecodeRunLength(std::span<const std::uint8_t> encoded) {
  Bytes out;
  std::size_t i = 0;
  while (i < encoded.size()) {
    const int length = encoded[i++];
    if (length == 128) {
      if (i != encoded.size()) return std::nullopt;
      return out;
    }
    if (length < 128) {
      const std::size_t count = static_cast<std::size_t>(length) + 1;
      if (encoded.size() - i < count) return std::nullopt;
      out.insert(out.end(), encoded.begin() + static_cast<std::ptrdiff_t>(i),
                 encoded.begin() + static_cast<std::ptrdiff_t>(i + count));
      i += count;
    } else {
      if (i == encoded.size()) return std::nullopt;
      out.insert(out.end(), static_cast<std::size_t>(257 - length), encoded[i++]);
    }
  }
  return std::nullopt;
}

std::optional<Bytes> DecodeAscii85(std::span<const std::uint8_t> encoded) {
  if (encoded.size() < 2 || encoded[encoded.size() - 2] != '~' || encoded.back() != '>') {
    return std::nullopt;
  }
  const auto body = encoded.first(encoded.size() - 2);
  Bytes out;
  std::uint64_t value = 0;
  int digits = 0;
  for (const std::uint8_t c : body) {
    if (c == 'z' && digits == 0) {
      out.insert(out.end(), 4, 0);
      continue;
    }
    if (c < '!' || c > 'u') return std::nullopt;
    value = value * 85 + static_cast<std::uint64_t>(c - '!');
    if (++digits == 5) {
      if (value > 0xFFFFFFFF) return std::nullopt;
      for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
      }
      value = 0;
      digits = 0;
    }
  }
  if (digits == 1) return std::nullopt;
  if (digits > 1) {
    // The missing digits count as the largest, "u", as the format prescribes.
    for (int i = digits; i < 5; ++i) value = value * 85 + 84;
    if (value > 0xFFFFFFFF) return std::nullopt;
    for (int i = 0; i < digits - 1; ++i) {
      out.push_back(static_cast<std::uint8_t>(value >> (24 - 8 * i)));
    }
  }
  return out;
}

std::optional<Bytes> DecodeAsciiHex(std::span<const std::uint8_t> encoded) {
  auto digit = [](std::uint8_t c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (encoded.size() % 2 != 0) return std::nullopt;
  Bytes out;
  for (std::size_t i = 0; i < encoded.size(); i += 2) {
    const int high = digit(encoded[i]);
    const int low = digit(encoded[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return out;
}

namespace {

constexpr int kClear = 256;
constexpr int kEnd = 257;
constexpr int kTableLimit = 4096;

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::optional<int> Read(int width) {
    if (bit_ + static_cast<std::size_t>(width) > bytes_.size() * 8) return std::nullopt;
    int value = 0;
    for (int i = 0; i < width; ++i, ++bit_) {
      value = value << 1 | (bytes_[bit_ / 8] >> (7 - bit_ % 8) & 1);
    }
    return value;
  }
  // The rest of the stream is less than one byte of zero bits.
  bool OnlyZeroPaddingLeft() const {
    if (bytes_.size() * 8 - bit_ >= 8) return false;
    return bit_ % 8 == 0 || (bytes_.back() & ((1 << (8 - bit_ % 8)) - 1)) == 0;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t bit_ = 0;
};

}  // namespace

std::optional<LzwDecoded> DecodeLzw(std::span<const std::uint8_t> encoded) {
  // Each string is its prefix string plus one byte; single bytes have no prefix.
  std::vector<int> prefix(kTableLimit, -1);
  std::vector<std::uint8_t> last_byte(kTableLimit), first_byte(kTableLimit);
  for (int b = 0; b < 256; ++b) last_byte[b] = first_byte[b] = static_cast<std::uint8_t>(b);
  LzwDecoded result;
  BitReader reader(encoded);
  int next = 258;
  int previous = -1;
  bool started = false;
  Bytes string;
  while (true) {
    const int width = next + 1 >= 2048 ? 12 : next + 1 >= 1024 ? 11 : next + 1 >= 512 ? 10 : 9;
    const auto code = reader.Read(width);
    if (!code) return std::nullopt;
    result.codes.push_back({*code, width});
    if (*code == kClear) {
      started = true;
      next = 258;
      previous = -1;
      continue;
    }
    if (!started) return std::nullopt;
    if (*code == kEnd) break;
    if (*code > next || (*code == next && previous < 0) || (previous >= 0 && next >= kTableLimit)) {
      return std::nullopt;
    }
    if (previous >= 0) {
      prefix[next] = previous;
      first_byte[next] = first_byte[previous];
      // The string being defined may be the one just read (code == next).
      last_byte[next] = *code == next ? first_byte[previous] : first_byte[*code];
      ++next;
    }
    string.clear();
    for (int c = *code; c >= 0; c = prefix[c]) string.push_back(last_byte[c]);
    result.data.insert(result.data.end(), string.rbegin(), string.rend());
    previous = *code;
  }
  if (!reader.OnlyZeroPaddingLeft()) return std::nullopt;
  return result;
}

}  // namespace pagora::testing

#include "pdf/codec/rc4.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstring>

namespace pagora {

Rc4Schedule Rc4KeySchedule(std::span<const std::uint8_t> key) {
  assert(!key.empty());
  Rc4Schedule s;
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::uint8_t>(i);
  std::uint8_t j = 0;
  std::size_t k = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    j = static_cast<std::uint8_t>(j + s[i] + key[k]);
    std::swap(s[i], s[j]);
    if (++k == key.size()) k = 0;
  }
  return s;
}

void Rc4Apply(const Rc4Schedule& schedule, std::span<std::uint8_t> data) {
  // Widened entries avoid byte-sized loads and stores in the loop; key-stream bytes are
  // gathered into words so the data is read and written a word at a time.
  std::uint32_t s[256];
  std::copy(schedule.begin(), schedule.end(), s);
  std::uint32_t i = 0;
  std::uint32_t j = 0;
  const auto next_key_byte = [&]() -> std::uint64_t {
    i = (i + 1) & 0xFF;
    const std::uint32_t si = s[i];
    j = (j + si) & 0xFF;
    const std::uint32_t sj = s[j];
    s[i] = sj;
    s[j] = si;
    return s[(si + sj) & 0xFF];
  };

  const auto next_key_word = [&] {
    std::uint64_t key_stream = 0;
#pragma GCC unroll 8
    for (int b = 0; b < 8; ++b) {
      // The stream's first byte goes with the lowest-addressed data byte.
      const int shift = std::endian::native == std::endian::little ? 8 * b : 8 * (7 - b);
      key_stream |= next_key_byte() << shift;
    }
    return key_stream;
  };
  const auto xor_word = [](std::uint8_t* out, std::uint64_t key_stream) {
    std::uint64_t word;
    std::memcpy(&word, out, 8);
    word ^= key_stream;
    std::memcpy(out, &word, 8);
  };

  std::uint8_t* out = data.data();
  std::size_t left = data.size();
  // Two words per round measure faster than one: the loop's own cost is shared.
  for (; left >= 16; left -= 16, out += 16) {
    xor_word(out, next_key_word());
    xor_word(out + 8, next_key_word());
  }
  for (; left > 0; --left, ++out) *out ^= static_cast<std::uint8_t>(next_key_byte());
}

bool Rc4Cipher::Crypt(std::span<const std::uint8_t> key, std::span<std::uint8_t> data) {
  if (key.empty()) return false;
  if (!std::equal(key.begin(), key.end(), cached_key_.begin(), cached_key_.end())) {
    cached_schedule_ = Rc4KeySchedule(key);
    cached_key_.assign(key.begin(), key.end());
  }
  Rc4Apply(cached_schedule_, data);
  return true;
}

}  // namespace pagora

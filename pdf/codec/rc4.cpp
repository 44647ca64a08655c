#include "pdf/codec/rc4.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstring>

// Both loops below are byte-serial: each step swaps two entries of the permutation, and
// the next step reads entry i + 1, which the swap may just have written. Read through
// memory, that read waits for the store; here it is loaded before the swap and corrected
// when the swap hit it (j == i + 1), which lets the processor overlap consecutive steps.
namespace pagora {

Rc4Schedule Rc4KeySchedule(std::span<const std::uint8_t> key) {
  assert(!key.empty());
  // Built in a local array, which the compiler knows nothing else can alias.
  std::uint32_t s[256];
  for (std::uint32_t i = 0; i < 256; ++i) s[i] = i;
  // The key repeated to 256 bytes spares the loop its wrap-around test. It is built by
  // doubling, in a few copies whatever the key length.
  std::array<std::uint8_t, 256> repeated_key;
  std::size_t filled = std::min(key.size(), repeated_key.size());
  std::memcpy(repeated_key.data(), key.data(), filled);
  while (filled < repeated_key.size()) {
    const std::size_t copied = std::min(filled, repeated_key.size() - filled);
    std::memcpy(repeated_key.data() + filled, repeated_key.data(), copied);
    filled += copied;
  }
  std::uint32_t j = 0;
  std::uint32_t si = s[0];
  for (std::uint32_t i = 0; i < 256; ++i) {
    j = (j + si + repeated_key[i]) & 0xFF;
    const std::uint32_t following = (i + 1) & 0xFF;
    const std::uint32_t sj = s[j];
    const std::uint32_t next = s[following];
    s[i] = sj;
    s[j] = si;
    si = j == following ? si : next;
  }
  Rc4Schedule schedule;
  std::memcpy(schedule.data(), s, sizeof s);
  return schedule;
}

void Rc4Apply(const Rc4Schedule& schedule, std::span<const std::uint8_t> input,
              std::span<std::uint8_t> output) {
  assert(input.size() == output.size());
  std::uint32_t s[256];
  std::memcpy(s, schedule.data(), sizeof s);
  std::uint32_t i = 1;
  std::uint32_t j = 0;
  std::uint32_t si = s[1];
  const auto next_key_byte = [&]() -> std::uint64_t {
    j = (j + si) & 0xFF;
    const std::uint32_t following = (i + 1) & 0xFF;
    const std::uint32_t sj = s[j];
    const std::uint32_t next = s[following];
    s[i] = sj;
    s[j] = si;
    const std::uint64_t key_byte = s[(si + sj) & 0xFF];
    si = j == following ? si : next;
    i = following;
    return key_byte;
  };

  // Key-stream bytes are gathered into words so the data is read and written a word at a
  // time.
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
  const auto xor_word = [](const std::uint8_t* in, std::uint8_t* out, std::uint64_t key_stream) {
    std::uint64_t word;
    std::memcpy(&word, in, 8);
    word ^= key_stream;
    std::memcpy(out, &word, 8);
  };

  const std::uint8_t* in = input.data();
  std::uint8_t* out = output.data();
  std::size_t left = input.size();
  // Two words per round measure faster than one: the loop's own cost is shared.
  for (; left >= 16; left -= 16, in += 16, out += 16) {
    xor_word(in, out, next_key_word());
    xor_word(in + 8, out + 8, next_key_word());
  }
  for (; left > 0; --left, ++in, ++out) {
    *out = static_cast<std::uint8_t>(*in ^ next_key_byte());
  }
}

bool Rc4Cipher::Crypt(std::span<const std::uint8_t> key, std::span<const std::uint8_t> input,
                      std::span<std::uint8_t> output) {
  if (key.empty()) return false;
  Rc4Apply(Schedule(key), input, output);
  return true;
}

const Rc4Schedule& Rc4Cipher::Schedule(std::span<const std::uint8_t> key) {
  assert(!key.empty());
  if (!std::equal(key.begin(), key.end(), cached_key_.begin(), cached_key_.end())) {
    cached_schedule_ = Rc4KeySchedule(key);
    cached_key_.assign(key.begin(), key.end());
  }
  return cached_schedule_;
}

}  // namespace pagora

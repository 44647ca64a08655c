#include "pdf/codec/rc4.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

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
  // Widened entries avoid byte-sized loads and stores in the loop.
  std::uint32_t s[256];
  std::copy(schedule.begin(), schedule.end(), s);
  std::uint8_t i = 0;
  std::uint8_t j = 0;
  for (std::uint8_t& byte : data) {
    ++i;
    const std::uint32_t si = s[i];
    j = static_cast<std::uint8_t>(j + si);
    const std::uint32_t sj = s[j];
    s[i] = sj;
    s[j] = si;
    byte ^= static_cast<std::uint8_t>(s[(si + sj) & 0xFF]);
  }
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

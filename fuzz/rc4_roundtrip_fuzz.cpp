// RC4 is its own inverse: encrypting twice under one key gives the input back, and the
// cipher's cached schedule must not carry state from one call to the next.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "pdf/codec/rc4.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte gives the key length (0 tests the refusal of an empty key).
  const std::size_t key_size = std::min<std::size_t>(data[0], size - 1);
  const std::span<const std::uint8_t> key(data + 1, key_size);
  const std::span<const std::uint8_t> plain(data + 1 + key_size, size - 1 - key_size);

  pagora::Rc4Cipher cipher;
  std::vector<std::uint8_t> once(plain.begin(), plain.end());
  const bool accepted = cipher.Crypt(key, once);
  if (accepted != !key.empty()) std::abort();
  if (!accepted) return 0;
  std::vector<std::uint8_t> twice = once;
  if (!cipher.Crypt(key, twice)) std::abort();
  if (!std::equal(twice.begin(), twice.end(), plain.begin(), plain.end())) std::abort();
  // A fresh schedule gives the same cipher text as the cached one.
  std::vector<std::uint8_t> fresh(plain.begin(), plain.end());
  pagora::Rc4Apply(pagora::Rc4KeySchedule(key), fresh);
  if (fresh != once) std::abort();
  return 0;
}

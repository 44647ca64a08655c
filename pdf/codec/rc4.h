#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The RC4 stream cipher, used by the standard security handler to encrypt strings and
// streams. Encrypting and decrypting are the same operation.
namespace pagora {

// The permutation of 0..255 that the key schedule builds from a key, in word-sized
// entries: the cipher works on a copy of it, and byte-sized loads and stores would slow it.
using Rc4Schedule = std::array<std::uint32_t, 256>;

// Runs the key schedule. Precondition: `key` is not empty; only its first 256 bytes count.
Rc4Schedule Rc4KeySchedule(std::span<const std::uint8_t> key);

// XORs `input` with the key stream generated from a copy of `schedule` into `output`, of
// the same size; the two may be the same bytes, not otherwise overlap.
void Rc4Apply(const Rc4Schedule& schedule, std::span<const std::uint8_t> input,
              std::span<std::uint8_t> output);
// The same in place.
inline void Rc4Apply(const Rc4Schedule& schedule, std::span<std::uint8_t> data) {
  Rc4Apply(schedule, data, data);
}

// RC4 that keeps the schedule of the last key it was given, so that the strings and
// streams of one object, all under the same key, schedule it once. Each call starts from
// that fresh schedule: calls are independent of one another.
class Rc4Cipher {
 public:
  // Encrypts (or decrypts) `data` in place under `key`. Returns false and leaves `data`
  // unchanged when the key is empty, which RC4 cannot use.
  bool Crypt(std::span<const std::uint8_t> key, std::span<std::uint8_t> data) {
    return Crypt(key, data, data);
  }
  // The same from `input` into `output` (same size), as Rc4Apply; one pass, no copy.
  bool Crypt(std::span<const std::uint8_t> key, std::span<const std::uint8_t> input,
             std::span<std::uint8_t> output);
  // The schedule of `key`, which must not be empty; valid until the next call.
  const Rc4Schedule& Schedule(std::span<const std::uint8_t> key);

 private:
  std::vector<std::uint8_t> cached_key_;
  Rc4Schedule cached_schedule_{};
};

}  // namespace pagora

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/codec/rc4.h"
#include "pdf/codec/standard_security.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/write_queue.h"

namespace pagora {

// The protection of the document being built: off until Protect, off again after Reset.
// While it is on, every literal string and every stream is encrypted with RC4 under the key
// of the object that holds it, and the document ends with an encryption dictionary and a
// file identifier.
class DocumentSecurity {
 public:
  // Turns protection on with the standard security handler for permission `flags` (4
  // print, 8 modify, 16 copy, 32 annotate; with 4096, 128-bit protection, where 256 fill
  // forms, 512 extract for accessibility, 1024 assemble and 2048 high-quality print also
  // count), the owner password (a blank one is replaced by the user password), the user
  // password and the document's Producer property, which makes the file identifier.
  // A second call replaces every value. Throws RuntimeError 6 (overflow), leaving the state
  // unchanged, when 40-bit flags give a permission byte below 16 ((flags + 192) mod 256)
  // or the Producer is too long to hash.
  void Protect(std::int32_t flags, std::string_view owner_password, std::string_view user_password,
               std::string_view producer);
  // Turns protection off.
  void Reset() { on_ = false; }
  bool on() const { return on_; }

  // `data` encrypted under the key of object `object` (generation 0) when protection is
  // on; otherwise, and for empty data, `data` unchanged. Strings and streams are each
  // encrypted from the start of the key stream.
  std::string Encrypt(std::int32_t object, std::string_view data) const;
  // The same, in place.
  void EncryptInPlace(std::int32_t object, std::span<std::uint8_t> data) const;
  // The same in one pass into a buffer this object keeps and reuses, so that a stream
  // written as it is costs neither a copy nor an allocation. The view is valid until the
  // next call; when protection is off, or `data` is empty, it is `data` itself.
  std::span<const std::uint8_t> EncryptedView(std::int32_t object,
                                              std::span<const std::uint8_t> data) const;
  // The encryption of a stream of object `object` as work for another thread: it holds its
  // own copy of the key schedule. Precondition: on().
  ByteTransform Encryption(std::int32_t object) const;

  // The minor-version bump the protection needs: 1 (PDF 1.4) for 128 bits, else 0.
  int version_bump() const;
  // The encryption dictionary as one line: "<< /Filter /Standard ", CR, "/O (...)", CR,
  // "/U (...)", CR, "/P n", CR, then "/V 1 /R 2 >>" (40 bits) or "/V 2 /R 3 /Length 128 >>"
  // (128 bits). /O and /U are escaped, not encrypted. Precondition: on().
  std::string DictionaryText() const;
  // The trailer's /Encrypt reference to `dictionary_object` and the /ID value.
  // Precondition: on().
  TrailerEncryption Trailer(int dictionary_object) const;

 private:
  // The RC4 schedule of the object's key, which is computed and scheduled once per object.
  const Rc4Schedule& ObjectSchedule(std::int32_t object) const;
  void Crypt(std::int32_t object, std::span<const std::uint8_t> input,
             std::span<std::uint8_t> output) const;

  bool on_ = false;
  StandardSecurity security_;
  // Caches of the last object's key and of its RC4 schedule, so that the many strings of
  // one object cost one hash and one key schedule; encrypting stays a const operation.
  mutable std::int32_t cached_object_ = -1;
  mutable std::string cached_object_key_;
  mutable Rc4Cipher cipher_;
  mutable std::vector<std::uint8_t> encrypted_;  // grows to the longest stream, never shrinks
};

}  // namespace pagora

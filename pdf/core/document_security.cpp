#include "pdf/core/document_security.h"

#include <cassert>

#include "pdf/codec/ascii_hex.h"
#include "pdf/core/runtime_error.h"
#include "pdf/core/text_encoding.h"

namespace pagora {

void DocumentSecurity::Protect(std::int32_t flags, std::string_view owner_password,
                               std::string_view user_password, std::string_view producer) {
  StandardSecurityResult result =
      ComputeStandardSecurity(flags, owner_password, user_password, producer);
  if (result.status != SecurityStatus::kOk) throw RuntimeError(kOverflow);
  security_ = std::move(result.security);
  cached_object_ = -1;
  on_ = true;
}

std::string DocumentSecurity::Encrypt(std::int32_t object, std::string_view data) const {
  std::string encrypted(data);
  EncryptInPlace(object, {reinterpret_cast<std::uint8_t*>(encrypted.data()), encrypted.size()});
  return encrypted;
}

void DocumentSecurity::EncryptInPlace(std::int32_t object, std::span<std::uint8_t> data) const {
  if (!on_ || data.empty()) return;
  Crypt(object, data, data);
}

std::span<const std::uint8_t> DocumentSecurity::EncryptedView(
    std::int32_t object, std::span<const std::uint8_t> data) const {
  if (!on_ || data.empty()) return data;
  if (encrypted_.size() < data.size()) encrypted_.resize(data.size());
  const std::span<std::uint8_t> out = std::span(encrypted_).first(data.size());
  Crypt(object, data, out);
  return out;
}

const Rc4Schedule& DocumentSecurity::ObjectSchedule(std::int32_t object) const {
  if (object != cached_object_) {
    cached_object_key_ = ObjectKey(security_.file_key, security_.object_key_length, object);
    cached_object_ = object;
  }
  // The object key is never empty.
  const std::string& key = cached_object_key_;
  return cipher_.Schedule({reinterpret_cast<const std::uint8_t*>(key.data()), key.size()});
}

void DocumentSecurity::Crypt(std::int32_t object, std::span<const std::uint8_t> input,
                             std::span<std::uint8_t> output) const {
  Rc4Apply(ObjectSchedule(object), input, output);
}

ByteTransform DocumentSecurity::Encryption(std::int32_t object) const {
  assert(on_);
  return [schedule = ObjectSchedule(object)](std::span<std::uint8_t> data) {
    Rc4Apply(schedule, data);
  };
}

int DocumentSecurity::version_bump() const {
  return on_ && security_.revision == SecurityRevision::k128Bit ? 1 : 0;
}

std::string DocumentSecurity::DictionaryText() const {
  assert(on_);
  std::string text = "<< /Filter /Standard \r/O (";
  text += EscapeString(security_.owner_entry);
  text += ")\r/U (";
  text += EscapeString(security_.user_entry);
  text += ")\r/P ";
  text += std::to_string(security_.permission_value);
  text += security_.revision == SecurityRevision::k40Bit ? "\r/V 1 /R 2 >>"
                                                         : "\r/V 2 /R 3 /Length 128 >>";
  return text;
}

TrailerEncryption DocumentSecurity::Trailer(int dictionary_object) const {
  assert(on_);
  const std::vector<std::uint8_t> hex =
      EncodeAsciiHex({reinterpret_cast<const std::uint8_t*>(security_.file_identifier.data()),
                      security_.file_identifier.size()});
  return {dictionary_object, std::string(hex.begin(), hex.end())};
}

}  // namespace pagora

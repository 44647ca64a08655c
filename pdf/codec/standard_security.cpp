#include "pdf/codec/standard_security.h"

#include <algorithm>
#include <span>

#include "pdf/codec/md5.h"
#include "pdf/codec/rc4.h"

namespace pagora {
namespace {

constexpr std::size_t kEntryLength = 32;
constexpr std::string_view kLibraryVersion = "2.4.4";
// Revision 3 hashes and encrypts repeatedly to slow down password guessing.
constexpr int kRevision3HashRounds = 50;
constexpr int kRevision3CipherRounds = 19;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::span<std::uint8_t> MutableBytes(std::string& text) {
  return {reinterpret_cast<std::uint8_t*>(text.data()), text.size()};
}

std::string Text(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void Rc4InPlace(std::string_view key, std::string& data) {
  Rc4Apply(Rc4KeySchedule(Bytes(key)), MutableBytes(data));
}

// RC4 under `key`, then under `key` with every byte XOR i for i = 1 to 19.
void Revision3Cipher(std::string_view key, std::string& data) {
  Rc4InPlace(key, data);
  std::string round_key(key);
  for (int i = 1; i <= kRevision3CipherRounds; ++i) {
    for (std::size_t k = 0; k < key.size(); ++k) {
      round_key[k] = static_cast<char>(key[k] ^ i);
    }
    Rc4InPlace(round_key, data);
  }
}

Md5Hash Rehash(Md5Hash hash, int rounds) {
  for (int i = 0; i < rounds; ++i) hash = *Md5Digest(hash);
  return hash;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void AppendLittleEndian(std::string& text, std::uint32_t value, int byte_count) {
  for (int i = 0; i < byte_count; ++i) text += static_cast<char>(value >> (8 * i));
}

}  // namespace

std::string PadPassword(std::string_view password) {
  std::string padded(password.substr(0, kEntryLength));
  padded += Text(std::span(kPasswordPadding).first(kEntryLength - padded.size()));
  return padded;
}

std::optional<std::int16_t> PermissionValue(std::int32_t flags) {
  if ((flags & kProtection128Bit) != 0) {
    return static_cast<std::int16_t>((flags & 0xFFF) - 3904);
  }
  // Without bit 12 the flags stay below INT32_MAX - 4095, so the sum cannot overflow. The
  // remainder keeps the sign of a negative sum, which the test below refuses too.
  const std::int32_t permission_byte = (flags + 192) % 256;
  if (permission_byte < 16) return std::nullopt;
  return static_cast<std::int16_t>(permission_byte - 256);
}

std::string FileIdentifier(std::string_view producer) {
  std::string identifier(producer);
  identifier += kLibraryVersion;
  return identifier;
}

std::string OwnerEntry(SecurityRevision revision, std::string_view owner_password,
                       std::string_view user_password) {
  if (TrimSpaces(owner_password).empty()) owner_password = user_password;
  Md5Hash hash = *Md5Digest(Bytes(PadPassword(owner_password)));
  std::string entry = PadPassword(user_password);
  if (revision == SecurityRevision::k40Bit) {
    Rc4InPlace(Text(std::span(hash).first(5)), entry);
  } else {
    hash = Rehash(hash, kRevision3HashRounds);
    Revision3Cipher(Text(hash), entry);
  }
  return entry;
}

std::optional<std::string> FileKey(SecurityRevision revision, std::string_view user_password,
                                   std::string_view owner_entry, std::int32_t permission_value,
                                   std::string_view file_identifier) {
  std::string message = PadPassword(user_password);
  message += owner_entry;
  // Readers hash /P as a 32-bit little-endian number, so its sign fills the high bytes.
  AppendLittleEndian(message, static_cast<std::uint32_t>(permission_value), 4);
  message += file_identifier;
  const std::optional<Md5Hash> hash = Md5Digest(Bytes(message));
  if (!hash) return std::nullopt;
  if (revision == SecurityRevision::k40Bit) return Text(std::span(*hash).first(5));
  return Text(Rehash(*hash, kRevision3HashRounds));
}

std::optional<std::string> UserEntry(SecurityRevision revision, std::string_view file_key,
                                     std::string_view file_identifier) {
  if (revision == SecurityRevision::k40Bit) {
    std::string entry = Text(kPasswordPadding);
    Rc4InPlace(file_key, entry);
    return entry;
  }
  std::string message = Text(kPasswordPadding);
  message += file_identifier;
  const std::optional<Md5Hash> hash = Md5Digest(Bytes(message));
  if (!hash) return std::nullopt;
  std::string entry = Text(*hash);
  Revision3Cipher(file_key, entry);
  entry.append(kEntryLength - entry.size(), ' ');
  return entry;
}

std::size_t ObjectKeyLength(SecurityRevision revision) {
  return revision == SecurityRevision::k40Bit ? 10 : 16;
}

std::string ObjectKey(std::string_view file_key, std::size_t key_length,
                      std::int32_t object_number) {
  std::string suffix;
  AppendLittleEndian(suffix, static_cast<std::uint32_t>(object_number), 3);
  AppendLittleEndian(suffix, 0, 2);  // the generation number
  Md5Context context;
  Md5Start(context);
  Md5Update(context, Bytes(file_key));
  Md5Update(context, Bytes(suffix));
  const Md5Hash hash = Md5Finish(context);
  return Text(std::span(hash).first(std::min(key_length, hash.size())));
}

StandardSecurityResult ComputeStandardSecurity(std::int32_t flags, std::string_view owner_password,
                                               std::string_view user_password,
                                               std::string_view producer) {
  StandardSecurityResult result;
  const std::optional<std::int16_t> permission_value = PermissionValue(flags);
  if (!permission_value) {
    result.status = SecurityStatus::kPermissionOutOfRange;
    return result;
  }
  StandardSecurity& security = result.security;
  security.revision =
      (flags & kProtection128Bit) != 0 ? SecurityRevision::k128Bit : SecurityRevision::k40Bit;
  security.object_key_length = ObjectKeyLength(security.revision);
  security.permission_value = *permission_value;
  security.file_identifier = FileIdentifier(producer);
  security.owner_entry = OwnerEntry(security.revision, owner_password, user_password);
  std::optional<std::string> file_key =
      FileKey(security.revision, user_password, security.owner_entry, *permission_value,
              security.file_identifier);
  std::optional<std::string> user_entry =
      file_key ? UserEntry(security.revision, *file_key, security.file_identifier) : std::nullopt;
  if (!user_entry) {
    result.status = SecurityStatus::kInputTooLong;
    return result;
  }
  security.file_key = std::move(*file_key);
  security.user_entry = std::move(*user_entry);
  return result;
}

}  // namespace pagora

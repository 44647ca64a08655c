#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The computations of the PDF standard security handler, revisions 2 (40-bit key) and 3
// (128-bit key): password padding, the /O and /U entries of the encryption dictionary, the
// /P value, the file identifier, the file key and the per-object keys. All byte texts are
// std::string holding one byte per character.
namespace pagora {

// The permission flag that chooses 128-bit protection (revision 3).
inline constexpr std::int32_t kProtection128Bit = 4096;

enum class SecurityRevision { k40Bit = 2, k128Bit = 3 };

// The bytes that complete a password to 32 bytes.
inline constexpr std::array<std::uint8_t, 32> kPasswordPadding = {
    0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E, 0x56, 0xFF, 0xFA, 0x01, 0x08,
    0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68, 0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A};

// The password followed by the padding, cut to 32 bytes.
std::string PadPassword(std::string_view password);

// The /P value for permission `flags` (4 print, 8 modify, 16 copy, 32 annotate; for 128
// bits also 256 fill forms, 512 extract for accessibility, 1024 assemble, 2048
// high-quality print; plus kProtection128Bit). Revision 2: the byte (flags + 192) mod 256
// with every higher bit set (flags 4 give -60). Revision 3: (flags & 0xFFF) - 3904 (flags
// 4 + 4096 give -3900). Nothing for revision-2 flags whose byte is below 16, the
// remainder of a negative sum included: the document refuses them as an overflow.
std::optional<std::int16_t> PermissionValue(std::int32_t flags);

// The first and second element of /ID before hexadecimal encoding: the document's
// Producer property followed by the library version.
std::string FileIdentifier(std::string_view producer);

// The 32-byte /O entry. An owner password that is empty once its spaces are trimmed is
// replaced by the user password.
std::string OwnerEntry(SecurityRevision revision, std::string_view owner_password,
                       std::string_view user_password);

// The file key, 5 bytes (revision 2) or 16 bytes (revision 3), from the user password,
// the /O entry, the 32-bit /P value and the file identifier. Nothing when the identifier
// is so long that the hashed text exceeds kMd5MaxInputLength.
std::optional<std::string> FileKey(SecurityRevision revision, std::string_view user_password,
                                   std::string_view owner_entry, std::int32_t permission_value,
                                   std::string_view file_identifier);

// The 32-byte /U entry. Nothing when the identifier is too long to hash.
std::optional<std::string> UserEntry(SecurityRevision revision, std::string_view file_key,
                                     std::string_view file_identifier);

// Number of key bytes used per object: 10 for revision 2, 16 for revision 3.
std::size_t ObjectKeyLength(SecurityRevision revision);

// The RC4 key for the strings and streams of object `object_number` (generation 0): the
// digest of the file key and the number's three low bytes, cut to `key_length` (at most 16).
std::string ObjectKey(std::string_view file_key, std::size_t key_length,
                      std::int32_t object_number);

// Everything a protected document needs.
struct StandardSecurity {
  SecurityRevision revision = SecurityRevision::k40Bit;
  std::size_t object_key_length = 10;
  std::string file_key;
  std::string owner_entry;            // /O
  std::string user_entry;             // /U
  std::int16_t permission_value = 0;  // /P
  std::string file_identifier;
};

enum class SecurityStatus {
  kOk,
  kPermissionOutOfRange,  // PermissionValue refused the flags
  kInputTooLong,          // the file identifier is too long to hash
};

struct StandardSecurityResult {
  SecurityStatus status = SecurityStatus::kOk;
  StandardSecurity security;  // meaningful only when status is kOk
};

// Computes the whole handler for permission `flags` (kProtection128Bit chooses revision
// 3), the two passwords and the document's Producer property.
StandardSecurityResult ComputeStandardSecurity(std::int32_t flags, std::string_view owner_password,
                                               std::string_view user_password,
                                               std::string_view producer);

}  // namespace pagora

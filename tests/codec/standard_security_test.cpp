#include "pdf/codec/standard_security.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/codec/openssl_oracle.h"

namespace pagora {
namespace {

using testing::OpenSslMd5;
using testing::OpenSslRc4;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Text(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string Padding() {
  return Text(kPasswordPadding);
}

std::string XorEach(std::string_view key, int value) {
  std::string result(key);
  for (char& c : result) c = static_cast<char>(c ^ value);
  return result;
}

TEST(PermissionValue, FollowsTheRevisionOfTheFlags) {
  struct Case {
    std::int32_t flags;
    std::optional<std::int16_t> value;
  };
  const Case kCases[] = {
      {4, -60},  // the billboard: printing only
      {0, -64},
      {4 + 8 + 16 + 32, -4},
      {63, -1},
      {64, std::nullopt},     // (64 + 192) mod 256 = 0
      {79, std::nullopt},     // 15
      {80, -240},             // 16, the smallest byte the value can hold
      {-5000, std::nullopt},  // a negative remainder
      {0x7FFFEFFF, -65},      // the largest flags without 4096
      {4096 + 4, -3900},
      {4096, -3904},
      {4096 + 4 + 8 + 16 + 32 + 256 + 512 + 1024 + 2048, -4},
      {-1, 191},  // every bit: revision 3 with a positive value
  };
  for (const Case& c : kCases) EXPECT_EQ(PermissionValue(c.flags), c.value) << c.flags;
}

TEST(PadPassword, CompletesOrCutsTo32Bytes) {
  EXPECT_EQ(PadPassword(""), Padding());
  EXPECT_EQ(PadPassword("ab"), "ab" + Padding().substr(0, 30));
  EXPECT_EQ(PadPassword(std::string(40, 'x')), std::string(32, 'x'));
  EXPECT_EQ(Padding().substr(0, 4), "\x28\xBF\x4E\x5E");
  EXPECT_EQ(Padding().substr(28), "\x64\x53\x69\x7A");
}

TEST(OwnerEntry, FallsBackOnTheUserPasswordWhenBlank) {
  for (const auto revision : {SecurityRevision::k40Bit, SecurityRevision::k128Bit}) {
    const std::string from_user = OwnerEntry(revision, "utente", "utente");
    EXPECT_EQ(OwnerEntry(revision, "", "utente"), from_user);
    EXPECT_EQ(OwnerEntry(revision, "   ", "utente"), from_user);
    EXPECT_NE(OwnerEntry(revision, " x ", "utente"), from_user);
  }
}

// Readers recover the padded user password from /O by decrypting it with the owner key;
// here OpenSSL's RC4 does the decrypting, in the reverse order of the rounds.
TEST(OwnerEntry, DecryptsToThePaddedUserPassword) {
  const std::string owner = "ubrelotanvix";
  const std::string padded_owner = PadPassword(owner);

  const Md5Hash owner_hash = OpenSslMd5(Bytes(padded_owner));
  const std::string entry_40 = OwnerEntry(SecurityRevision::k40Bit, owner, "");
  ASSERT_EQ(entry_40.size(), 32u);
  EXPECT_EQ(Text(OpenSslRc4(std::span(owner_hash).first(5), Bytes(entry_40))), Padding());

  Md5Hash hash = owner_hash;
  for (int i = 0; i < 50; ++i) hash = OpenSslMd5(hash);
  const std::string key = Text(hash);
  std::string data = OwnerEntry(SecurityRevision::k128Bit, owner, "u");
  ASSERT_EQ(data.size(), 32u);
  for (int i = 19; i >= 0; --i) data = Text(OpenSslRc4(Bytes(XorEach(key, i)), Bytes(data)));
  EXPECT_EQ(data, PadPassword("u"));
}

TEST(ComputeStandardSecurity, SizesTheKeysByRevision) {
  const auto r2 = ComputeStandardSecurity(4, "ubrelotanvix", "", "P");
  ASSERT_EQ(r2.status, SecurityStatus::kOk);
  EXPECT_EQ(r2.security.revision, SecurityRevision::k40Bit);
  EXPECT_EQ(r2.security.object_key_length, 10u);
  EXPECT_EQ(r2.security.file_key.size(), 5u);
  EXPECT_EQ(r2.security.permission_value, -60);
  EXPECT_EQ(r2.security.user_entry,
            Text(OpenSslRc4(Bytes(r2.security.file_key), kPasswordPadding)));

  const auto r3 = ComputeStandardSecurity(4096 + 4, "ubrelotanvix", "", "P");
  ASSERT_EQ(r3.status, SecurityStatus::kOk);
  EXPECT_EQ(r3.security.revision, SecurityRevision::k128Bit);
  EXPECT_EQ(r3.security.object_key_length, 16u);
  EXPECT_EQ(r3.security.file_key.size(), 16u);
  EXPECT_EQ(r3.security.permission_value, -3900);
  ASSERT_EQ(r3.security.user_entry.size(), 32u);
  EXPECT_EQ(r3.security.user_entry.substr(16), std::string(16, ' '));
}

TEST(ComputeStandardSecurity, TheProducerChangesIdentifierAndKeys) {
  const auto a = ComputeStandardSecurity(4, "o", "", "Producer A").security;
  const auto b = ComputeStandardSecurity(4, "o", "", "Producer B").security;
  EXPECT_EQ(a.file_identifier, "Producer A2.4.4");
  EXPECT_EQ(a.owner_entry, b.owner_entry);
  EXPECT_NE(a.file_key, b.file_key);
  EXPECT_NE(a.user_entry, b.user_entry);
  const auto a_again = ComputeStandardSecurity(4, "o", "", "Producer A").security;
  EXPECT_EQ(a.file_key, a_again.file_key);
}

TEST(ComputeStandardSecurity, ReportsWhatItCannotCompute) {
  EXPECT_EQ(ComputeStandardSecurity(64, "o", "", "P").status,
            SecurityStatus::kPermissionOutOfRange);
  // 32 + 32 + 4 bytes, the identifier and its 5-byte suffix exceed what MD5 accepts.
  const std::string producer(kMd5MaxInputLength - 72, 'p');
  EXPECT_EQ(ComputeStandardSecurity(4, "o", "", producer).status, SecurityStatus::kInputTooLong);
}

TEST(ObjectKey, HashesTheFileKeyWithTheObjectNumber) {
  const std::string file_key = "\x01\x02\x03\x04\x05";
  const std::string message = file_key + std::string("\x56\x34\x12\x00\x00", 5);
  const Md5Hash expected = OpenSslMd5(Bytes(message));
  EXPECT_EQ(ObjectKey(file_key, 10, 0x123456), Text(std::span(expected).first(10)));
  EXPECT_EQ(ObjectKey(file_key, 16, 0x123456), Text(expected));
  // Only three bytes of the number count.
  EXPECT_EQ(ObjectKey(file_key, 10, 0x7F123456), ObjectKey(file_key, 10, 0x123456));
  EXPECT_NE(ObjectKey(file_key, 10, 4), ObjectKey(file_key, 10, 5));
}

}  // namespace
}  // namespace pagora

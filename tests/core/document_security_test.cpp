#include "pdf/core/document_security.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "pdf/core/runtime_error.h"
#include "tests/codec/openssl_oracle.h"
#include "tests/support/literal_string.h"

namespace pagora {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

using testing::UnescapeLiteral;

TEST(DocumentSecurity, WritesTheDictionaryOfEachRevision) {
  struct Case {
    std::int32_t flags;
    std::string_view tail;
    int version_bump;
  };
  const Case kCases[] = {
      {4, "\r/P -60\r/V 1 /R 2 >>", 0},
      {4096 + 4, "\r/P -3900\r/V 2 /R 3 /Length 128 >>", 1},
  };
  for (const Case& c : kCases) {
    DocumentSecurity security;
    security.Protect(c.flags, "ubrelotanvix", "", "Producer");
    const std::string text = security.DictionaryText();
    const StandardSecurity expected =
        ComputeStandardSecurity(c.flags, "ubrelotanvix", "", "Producer").security;

    const std::string_view head = "<< /Filter /Standard \r/O (";
    ASSERT_EQ(text.substr(0, head.size()), head);
    ASSERT_TRUE(text.ends_with(c.tail)) << text;
    const std::size_t owner_end = text.find(")\r/U (");
    ASSERT_NE(owner_end, std::string::npos);
    EXPECT_EQ(UnescapeLiteral(text.substr(head.size(), owner_end - head.size())),
              expected.owner_entry);
    const std::size_t user_start = owner_end + 6;
    const std::size_t user_end = text.size() - c.tail.size() - 1;
    EXPECT_EQ(text[user_end], ')');
    EXPECT_EQ(UnescapeLiteral(text.substr(user_start, user_end - user_start)), expected.user_entry);
    EXPECT_EQ(security.version_bump(), c.version_bump);
  }
}

TEST(DocumentSecurity, RefusedFlagsRaiseOverflowAndChangeNothing) {
  DocumentSecurity security;
  try {
    security.Protect(64, "o", "", "P");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kOverflow);
  }
  EXPECT_FALSE(security.on());

  security.Protect(4, "o", "", "P");
  const std::string before = security.DictionaryText();
  EXPECT_THROW(security.Protect(79, "o", "", "P"), RuntimeError);
  EXPECT_TRUE(security.on());
  EXPECT_EQ(security.DictionaryText(), before);
}

TEST(DocumentSecurity, EncryptsEachTextUnderItsObjectsKey) {
  DocumentSecurity security;
  EXPECT_EQ(security.Encrypt(4, "testo"), "testo");

  security.Protect(4, "o", "", "P");
  const StandardSecurity keys = ComputeStandardSecurity(4, "o", "", "P").security;
  const std::string first = security.Encrypt(7, "testo (uno)");
  EXPECT_NE(first, "testo (uno)");
  // Two strings of one object start from the same key stream.
  EXPECT_EQ(security.Encrypt(7, "testo (uno)"), first);
  EXPECT_NE(security.Encrypt(8, "testo (uno)"), first);
  EXPECT_EQ(security.Encrypt(7, "testo (uno)"), first);
  const auto plain = testing::OpenSslRc4(Bytes(ObjectKey(keys.file_key, 10, 7)), Bytes(first));
  EXPECT_EQ(std::string(plain.begin(), plain.end()), "testo (uno)");
  EXPECT_EQ(security.Encrypt(7, ""), "");
  // New keys replace the old ones for every object.
  DocumentSecurity other;
  other.Protect(4, "o", "", "Q");
  security.Protect(4, "o", "", "Q");
  EXPECT_EQ(security.Encrypt(7, "testo (uno)"), other.Encrypt(7, "testo (uno)"));
  EXPECT_NE(security.Encrypt(7, "testo (uno)"), first);

  security.Reset();
  EXPECT_FALSE(security.on());
  EXPECT_EQ(security.Encrypt(7, "testo"), "testo");
  EXPECT_EQ(security.version_bump(), 0);
}

// Streams are encrypted in one pass into a buffer the security reuses: a shorter stream
// after a longer one must come out exactly as Encrypt gives it.
TEST(DocumentSecurity, EncryptedViewEqualsEncryptAcrossReusedBuffers) {
  DocumentSecurity security;
  const std::string long_text(5000, 'q');
  EXPECT_EQ(security.EncryptedView(3, Bytes(long_text)).data(), Bytes(long_text).data());

  security.Protect(4 | kProtection128Bit, "o", "u", "P");
  for (const auto& [object, text] : std::initializer_list<std::pair<int, std::string_view>>{
           {3, long_text}, {3, "corto"}, {5, "corto"}, {5, ""}, {3, long_text}}) {
    const std::span<const std::uint8_t> view = security.EncryptedView(object, Bytes(text));
    EXPECT_EQ(std::string(view.begin(), view.end()), security.Encrypt(object, text));
  }
}

TEST(DocumentSecurity, NamesTheIdentifierInUpperCaseHexadecimal) {
  DocumentSecurity security;
  security.Protect(4, "o", "", "A\xA9");
  const TrailerEncryption trailer = security.Trailer(12);
  EXPECT_EQ(trailer.dictionary_object, 12);
  EXPECT_EQ(trailer.file_id_hex, "41A9322E342E34");  // "A\xA9" then "2.4.4"
}

}  // namespace
}  // namespace pagora

#include "pdf/core/stream_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/pdf_checker.h"
#include "tests/support/stream_decoders.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes AsBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// Undoes the filters named in `filters`, first name first, as a reader does; stops at a
// name it does not know (a preset image filter) and leaves the rest encoded.
std::optional<Bytes> DecodeFilters(Bytes data, const std::string& filters) {
  std::istringstream names(filters);
  for (std::string name; names >> name;) {
    std::optional<Bytes> decoded;
    if (name == "/ASCIIHexDecode") decoded = testing::DecodeAsciiHex(data);
    if (name == "/ASCII85Decode") decoded = testing::DecodeAscii85(data);
    if (name == "/LZWDecode") {
      if (auto lzw = testing::DecodeLzw(data)) decoded = lzw->data;
    }
    if (name == "/RunLengthDecode") decoded = testing::DecodeRunLength(data);
    if (name == "/DCTDecode") return data;
    if (!decoded) return std::nullopt;
    data = *decoded;
  }
  return data;
}

TEST(EncodeStream, AppliesTheChosenEncodersAndNamesThemInDecodingOrder) {
  const Bytes data = AsBytes("BT /F1 12 Tf (aaaaaaaaaaaaaaaa) Tj ET\r0 0 m 100 100 l S\r");
  const struct {
    std::uint32_t flags;
    const char* preset;
    const char* filters;
  } cases[] = {
      {0x00, "", ""},
      {0x01, "", "/RunLengthDecode "},
      {0x04, "", "/LZWDecode "},
      {0x08, "", "/ASCII85Decode "},
      {0x10, "", "/ASCIIHexDecode "},
      {0x05, "", "/LZWDecode /RunLengthDecode "},
      {0x0C, "", "/ASCII85Decode /LZWDecode "},
      {0x18, "", "/ASCIIHexDecode /ASCII85Decode "},
      {0x1D, "", "/ASCIIHexDecode /ASCII85Decode /LZWDecode /RunLengthDecode "},
      {0xE0, "", ""},
      // Data already encoded by the caller is not compressed again; the ASCII encoders
      // still wrap it.
      {0x05, "/DCTDecode ", "/DCTDecode "},
      {0x08, "/DCTDecode ", "/ASCII85Decode /DCTDecode "},
      {0x1D, "/DCTDecode ", "/ASCIIHexDecode /ASCII85Decode /DCTDecode "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    const EncodedStream stream = EncodeStream(data, StreamSettings{c.flags, 0}, c.preset);
    EXPECT_EQ(stream.filters, c.filters);
    EXPECT_EQ(DecodeFilters(stream.data, stream.filters), data);
    // Streams no encoder touches are written from the caller's bytes.
    EXPECT_EQ(SelectsEncoder(StreamSettings{c.flags, 0}, c.preset),
              std::string_view(c.filters) != c.preset);
  }
}

TEST(EncodeStream, LzwTableSizeFollowsTheLevel) {
  Bytes data(30000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * i >> 3);
  const EncodedStream level0 = EncodeStream(data, StreamSettings{kLzwFilter, 0}, "");
  const EncodedStream level3 = EncodeStream(data, StreamSettings{kLzwFilter, 3}, "");
  EXPECT_NE(level0.data, level3.data);
  EXPECT_EQ(DecodeFilters(level3.data, level3.filters), data);
}

class StreamTailTest : public ::testing::Test {
 protected:
  std::string Written(std::string_view filters, int length1, const Bytes& data) {
    PdfObjectWriter writer;
    writer.Open(path_.string());
    WriteStreamTail(writer, filters, length1, data);
    writer.FinishFile();
    return testing::ReadFileBytes(path_);
  }

  testing::TempDir dir_;
  std::filesystem::path path_ = dir_ / "tail.pdf";
};

TEST_F(StreamTailTest, WritesTheDictionaryEndAndTheFramingExactly) {
  EXPECT_EQ(Written("", 0, {}), "/Length 0 >>\rstream\n\nendstream\n");
  EXPECT_EQ(Written("/ASCII85Decode ", 0, AsBytes("~>")),
            "/Filter [/ASCII85Decode ]\n/Length 2 >>\rstream\n~>\nendstream\n");
  EXPECT_EQ(Written("/ASCII85Decode /DCTDecode ", 9120, AsBytes("z!!~>")),
            "/Filter [/ASCII85Decode /DCTDecode ]\n/Length1 9120\n/Length 5 >>\rstream\nz!!~>"
            "\nendstream\n");
  EXPECT_EQ(Written("", -4, Bytes{10, 13, 0}),
            std::string("/Length 3 >>\rstream\n\n\r\0\nendstream\n", 34));
}

}  // namespace
}  // namespace pagora

// Documents whose streams are deflated: every reader accepts them, they render exactly as
// their uncompressed twins, and qpdf inflates each stream back to the twin's bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "pdf/core/pagora.h"
#include "tests/codec/zlib_oracle.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::Raster;
using testing::Renderer;
using testing::RunCommand;
using testing::ShellQuote;

LocalTime FixedTime() {
  return {2026, 12, 7, 10, 30, 15};
}

// Two pages of shapes and colours, written with the given compression settings.
void WriteShapes(const fs::path& path, int flags, std::uint8_t level) {
  Pagora doc(FixedTime);
  doc.SetCompression(flags, level);
  doc.BeginDoc(path.string());
  ASSERT_EQ(doc.ErrNumber(), 0) << doc.ErrDescription();
  for (int page = 0; page < 2; ++page) {
    doc.BeginPage();
    for (int i = 0; i < 40; ++i) {
      doc.SetColorFill(i % 3 == 0 ? "RED" : i % 3 == 1 ? "#2040C0" : "#10A030");
      doc.DrawRect(20.0f + 11.0f * i, 30.0f + 7.0f * (i % 9), 9.0f, 40.0f, 1);
    }
    doc.SetLineWidth(2.5f);
    doc.DrawCircle(300, 400, 80 + 20 * page);
    doc.DrawPolygon(200, 600, 60, 5 + page, 1);
  }
  doc.EndDoc();
}

// Every stream of the file, decoded by qpdf, by object number.
std::map<int, std::string> DecodedStreams(const fs::path& pdf, const fs::path& folder) {
  fs::create_directories(folder);
  const auto qpdf = RunCommand(
      "qpdf --json=2 --json-key=qpdf --json-stream-data=file "
      "--json-stream-prefix=" +
      ShellQuote((folder / "s").string()) + " " + ShellQuote(pdf.string()) + " >/dev/null");
  EXPECT_EQ(qpdf.exit_code, 0) << qpdf.output;
  EXPECT_EQ(qpdf.output, "");
  std::map<int, std::string> streams;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const int object = std::stoi(entry.path().filename().string().substr(2));
    streams[object] = testing::ReadFileBytes(entry.path());
  }
  return streams;
}

TEST(FlateDocumentTest, DeflatedDocumentsMatchTheirUncompressedTwin) {
  testing::TempDir dir;
  const fs::path plain = dir / "plain.pdf";
  WriteShapes(plain, 0, 0);
  const auto plain_streams = DecodedStreams(plain, dir / "plain");
  ASSERT_GE(plain_streams.size(), 2u);
  Raster plain_render[2];
  ASSERT_TRUE(testing::Render(plain, Renderer::kPoppler, 1, 50, &plain_render[0]));
  ASSERT_TRUE(testing::Render(plain, Renderer::kMupdf, 1, 50, &plain_render[1]));

  const struct {
    int flags;
    std::uint8_t level;
    std::string_view filter;
  } cases[] = {{0x02, 0, "/Filter [/FlateDecode ]"},
               {0x02, 1, "/Filter [/FlateDecode ]"},
               {0x02, 2, "/Filter [/FlateDecode ]"},
               {0x02, 3, "/Filter [/FlateDecode ]"},
               {0x0A, 3, "/Filter [/ASCII85Decode /FlateDecode ]"}};
  for (const auto& c : cases) {
    SCOPED_TRACE("flags " + std::to_string(c.flags) + " level " + std::to_string(c.level));
    const fs::path pdf =
        dir / ("flate" + std::to_string(c.flags) + "-" + std::to_string(c.level) + ".pdf");
    WriteShapes(pdf, c.flags, c.level);
    ASSERT_TRUE(testing::PassesAllReaders(pdf));
    const std::string file = testing::ReadFileBytes(pdf);
    EXPECT_NE(file.find(c.filter), std::string::npos);
    EXPECT_LT(file.size(), testing::ReadFileBytes(plain).size());
    EXPECT_EQ(DecodedStreams(pdf, dir / pdf.stem().string()), plain_streams);
    Raster render;
    ASSERT_TRUE(testing::Render(pdf, Renderer::kPoppler, 1, 50, &render));
    EXPECT_TRUE(render.rgb == plain_render[0].rgb);
    ASSERT_TRUE(testing::Render(pdf, Renderer::kMupdf, 1, 50, &render));
    EXPECT_TRUE(render.rgb == plain_render[1].rgb);
  }
}

TEST(FlateDocumentTest, ToFlateDecodeReplacesTheDataWithAZlibStream) {
  Pagora doc(FixedTime);
  const std::string text = "BT /F1 12 Tf 72 700 Td (Cantiere) Tj ET\r";
  std::vector<std::uint8_t> data;
  for (int i = 0; i < 50; ++i) data.insert(data.end(), text.begin(), text.end());
  const std::vector<std::uint8_t> original = data;
  int count = -1;
  doc.zzToFlateDecode(data, count, 9);
  EXPECT_EQ(count, static_cast<int>(data.size()));
  EXPECT_LT(data.size(), original.size() / 10);
  EXPECT_EQ(testing::ZlibInflate(data), original);

  std::vector<std::uint8_t> empty;
  doc.zzToFlateDecode(empty, count, 0);
  EXPECT_EQ(empty, (std::vector<std::uint8_t>{0x78, 0x5E, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_EQ(count, 8);
}

}  // namespace
}  // namespace pagora

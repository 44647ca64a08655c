// A complete document written with the object writer alone, checked by every independent
// reader: the page tree, one page with a content stream, a catalog, the information
// dictionary, the cross-reference table and the trailer.
#include <gtest/gtest.h>

#include <string>

#include "pdf/core/content_streams.h"
#include "pdf/core/number_format.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/text_encoding.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::Raster;
using testing::Renderer;
using testing::Rgb;

void WriteMinimalDocument(const std::string& path) {
  PdfObjectWriter writer;
  writer.Open(path);
  writer.WriteLine("%PDF-1.3\n% \xA9 test");
  writer.ReserveSharedObjects();

  // A 200 × 100 pt page: a red rectangle on the left half, the right half left white.
  ContentStreams content;
  content.page_open = true;
  content.Append(FormatColor("#F7120D") + " rg");
  content.Append("0 0 " + FormatNumber(100.0f) + " " + FormatNumber(100.0f) + " re f");
  const std::string_view data = content.page.Text();

  const int stream = writer.StartObject();
  writer.WriteLine("<< /Length " + std::to_string(data.size()) + " >>");
  writer.WriteLine("stream");
  writer.WriteLine(data);
  writer.WriteLine("endstream");
  writer.FinishObject();

  const int page = writer.StartObject();
  writer.WriteLine(
      "<< /Type /Page /Parent 1 0 R /MediaBox [0 0 200 100] /Resources 2 0 R\r/Contents " +
      std::to_string(stream) + " 0 R >>");
  writer.FinishObject();

  writer.StartObject(3);
  writer.WriteLine("<< /ProcSet [/PDF /Text ] >>");
  writer.FinishObject();
  writer.StartObject(2);
  writer.WriteLine("<< /ProcSet [/PDF /Text ] >>");
  writer.FinishObject();
  writer.StartObject(1);
  writer.WriteLine("<<\r/Type /Pages /Count 1\r/Kids [" + std::to_string(page) + " 0 R ] \r>>");
  writer.FinishObject();

  const int catalog = writer.StartObject();
  writer.WriteLine("<< /Type /Catalog\r/Pages 1 0 R\r>>");
  writer.FinishObject();
  const int info = writer.StartObject();
  writer.WriteLine("<<\r/Title (" + EscapeString("Prova (1) \\ \xE8") + ")\r>>");
  writer.FinishObject();

  writer.WriteXrefAndTrailer(info, catalog, std::nullopt);
  writer.RequireVersion(1);
  writer.FinishFile();
}

TEST(MinimalDocument, EveryIndependentReaderAcceptsAndRendersIt) {
  testing::TempDir dir;
  const auto pdf = dir / "minimal.pdf";
  WriteMinimalDocument(pdf.string());
  ASSERT_TRUE(testing::PassesAllReaders(pdf));

  std::string info;
  ASSERT_TRUE(testing::PdfinfoReads(pdf, &info));
  EXPECT_EQ(testing::PdfinfoField(info, "PDF version"), "1.4");
  EXPECT_EQ(testing::PdfinfoField(info, "Page size"), "200 x 100 pts");
  EXPECT_EQ(testing::PdfinfoField(info, "Title"), "Prova (1) \\ \xC3\xA8");  // UTF-8 è

  for (const Renderer renderer : {Renderer::kPoppler, Renderer::kMupdf}) {
    Raster raster;
    ASSERT_TRUE(testing::Render(pdf, renderer, 1, 72, &raster));
    ASSERT_EQ(raster.width, 200);
    ASSERT_EQ(raster.height, 100);
    EXPECT_TRUE(testing::NearColor(raster.At(50, 50), Rgb{247, 18, 13}));
    EXPECT_TRUE(testing::NearColor(raster.At(150, 50), Rgb{255, 255, 255}));
  }
}

}  // namespace
}  // namespace pagora

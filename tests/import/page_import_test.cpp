// GetInfo and ImportPage through the facade: every shared PDF's information against
// pdfinfo, every page imported at natural size against the source in two renderers, the
// objects written once, protected output, and damaged sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pdf/core/pagora.h"
#include "tests/import/pdf_corpus.h"
#include "tests/import/test_pdf_builder.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::PdfCorpusFiles;
using testing::PdfinfoField;
using testing::Raster;
using testing::Renderer;
using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

int Count(const std::string& text, const std::string& needle) {
  int count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

// qpdf's JSON description of every object of the file.
std::string QpdfJson(const fs::path& pdf, const std::string& password = "") {
  const auto run = RunCommand("qpdf --json " +
                              (password.empty() ? "" : "--password=" + ShellQuote(password) + " ") +
                              ShellQuote(pdf.string()));
  EXPECT_EQ(run.exit_code, 0) << run.output;
  return run.output;
}

// A document with page p of `source` imported at natural size on page p, each page as
// large as the imported one.
void ImportEveryPage(const fs::path& source, const fs::path& out, int pages,
                     const std::function<void(Pagora&)>& before = {}) {
  Pagora doc(testing::FixedTestTime);
  if (before) before(doc);
  doc.BeginDoc(out.string());
  for (int page = 1; page <= pages; ++page) {
    doc.BeginPage();
    doc.ImportPage(source.string(), page, 0, 0);
    const Area area = doc.LastArea();
    doc.SetPaperSize(255, area.right - area.left, area.top - area.bottom);
  }
  EXPECT_EQ(doc.ErrNumber(), 0) << doc.ErrDescription();
  doc.EndDoc();
}

// Mean difference per channel, in levels, of two renders of the same page; the sizes may
// differ by a pixel where a box size falls between pixels.
double MeanDifference(const Raster& a, const Raster& b) {
  EXPECT_LE(std::abs(a.width - b.width), 1);
  EXPECT_LE(std::abs(a.height - b.height), 1);
  const int width = std::min(a.width, b.width);
  const int height = std::min(a.height, b.height);
  double total = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto pa = a.At(x, y);
      const auto pb = b.At(x, y);
      for (int c = 0; c < 3; ++c) total += std::abs(pa[c] - pb[c]);
    }
  }
  return width * height == 0 ? 255 : total / (3.0 * width * height);
}

void ExpectSameRenders(const fs::path& source, const fs::path& imported, int pages) {
  for (int page = 1; page <= pages; ++page) {
    for (const Renderer renderer : {Renderer::kPoppler, Renderer::kMupdf}) {
      SCOPED_TRACE("page " + std::to_string(page) +
                   (renderer == Renderer::kPoppler ? " poppler" : " mupdf"));
      Raster expected, actual;
      ASSERT_TRUE(testing::Render(source, renderer, page, 72, &expected));
      ASSERT_TRUE(testing::Render(imported, renderer, page, 72, &actual));
      EXPECT_LT(MeanDifference(expected, actual), 1.0);
    }
  }
}

struct Info {
  int pages = -1;
  std::string title, subject, author;
  bool encrypted = false;
  int error = 0;
  std::string source, description;
};

Info ReadInfo(const std::string& path) {
  Pagora doc(testing::FixedTestTime);
  Info info;
  info.title = info.subject = info.author = "stale";
  info.pages = doc.GetInfo(path, info.title, info.subject, info.author, info.encrypted);
  info.error = doc.ErrNumber();
  info.source = doc.ErrSource();
  info.description = doc.ErrDescription();
  return info;
}

TEST(PageImport, GetInfoMatchesPdfinfo) {
  for (const fs::path& path : PdfCorpusFiles()) {
    SCOPED_TRACE(path.filename().string());
    const auto report = RunCommand("pdfinfo -enc Latin1 " + ShellQuote(path.string()));
    ASSERT_EQ(report.exit_code, 0) << report.output;
    const Info info = ReadInfo(path.string());
    if (PdfinfoField(report.output, "Encrypted").starts_with("yes")) {
      EXPECT_TRUE(info.encrypted);
      EXPECT_EQ(info.pages, 0);
      EXPECT_EQ(info.error, 321);
      EXPECT_EQ(info.source, "Pagora.GetInfo");
      EXPECT_EQ(info.description, "Formato di file non valido - " + path.string());
      continue;
    }
    EXPECT_EQ(info.error, 0) << info.description;
    EXPECT_FALSE(info.encrypted);
    EXPECT_EQ(std::to_string(info.pages), PdfinfoField(report.output, "Pages"));
    // pdfinfo trims what it prints.
    const auto trim = [](const std::string& text) {
      const auto start = text.find_first_not_of(' ');
      return start == std::string::npos ? "" : text.substr(start);
    };
    EXPECT_EQ(trim(info.title), PdfinfoField(report.output, "Title"));
    EXPECT_EQ(trim(info.subject), PdfinfoField(report.output, "Subject"));
    EXPECT_EQ(trim(info.author), PdfinfoField(report.output, "Author"));
  }
}

TEST(PageImport, EveryPageRendersAsTheSource) {
  for (const fs::path& path : PdfCorpusFiles()) {
    SCOPED_TRACE(path.filename().string());
    const Info info = ReadInfo(path.string());
    if (info.encrypted) continue;
    TempDir dir;
    // Renders are written beside the file rendered: keep them out of the data folder.
    const fs::path source = dir / "source.pdf";
    fs::copy_file(path, source);
    const fs::path out = dir / "imported.pdf";
    ImportEveryPage(source, out, info.pages);
    EXPECT_TRUE(testing::QpdfChecksClean(out));
    ExpectSameRenders(source, out, info.pages);
  }
}

TEST(PageImport, TurnedAndShiftedPagesRenderAsTheSource) {
  const struct {
    const char* name;
    const char* qpdf_options;
  } cases[] = {
      {"gropdf-letter.pdf", "--rotate=+90"},
      {"gs914-classified.pdf", "--rotate=180"},
      {"imagemagick66-penguin.pdf", "--rotate=-90"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.qpdf_options);
    TempDir dir;
    const fs::path source = dir / "source.pdf";
    const auto run = RunCommand("qpdf " + std::string(c.qpdf_options) + " " +
                                ShellQuote(std::string(PAGORA_TEST_DATA_DIR) + "/pdf/" + c.name) +
                                " " + ShellQuote(source.string()));
    ASSERT_TRUE(run.exit_code == 0 || run.exit_code == 3) << run.output;  // 3: warnings
    const fs::path out = dir / "imported.pdf";
    ImportEveryPage(source, out, 1);
    EXPECT_TRUE(testing::QpdfChecksClean(out));
    ExpectSameRenders(source, out, 1);
  }
}

TEST(PageImport, APageImportedTwiceIsWrittenOnce) {
  TempDir dir;
  const fs::path out = dir / "twice.pdf";
  const std::string source = std::string(PAGORA_TEST_DATA_DIR) + "/pdf/gropdf-typesetting.pdf";
  Pagora doc(testing::FixedTestTime);
  doc.BeginDoc(out.string());
  doc.BeginPage();
  doc.ImportPage(source, 2, 10, 10, 200, 0);
  doc.ImportPage(source, 2, 300, 10, 0, 300);
  doc.BeginPage();
  doc.ImportPage(source, 2, 0, 0);
  doc.EndDoc();
  ASSERT_TRUE(testing::QpdfChecksClean(out));
  const std::string json = QpdfJson(out);
  EXPECT_EQ(Count(json, "\"/Subtype\": \"/Form\""), 1);
  const std::string file = testing::ReadFileBytes(out);
  EXPECT_EQ(Count(file, "/_PDF_1.2 Do"), 3);
}

TEST(PageImport, ResourcesSharedByPagesAreCopiedOnce) {
  // Both pages of the source use the same fonts; importing them one by one copies each
  // font once, and the document has as many fonts as the source.
  for (const char* name : {"pdftex1403-upref.pdf", "pdftex14010-natbib.pdf"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    const fs::path source = dir / "source.pdf";
    fs::copy_file(fs::path(PAGORA_TEST_DATA_DIR) / "pdf" / name, source);
    const fs::path out = dir / "imported.pdf";
    const Info info = ReadInfo(source.string());
    ImportEveryPage(source, out, info.pages);
    ASSERT_TRUE(testing::QpdfChecksClean(out));
    const int fonts = Count(QpdfJson(source), "\"/Type\": \"/Font\"");
    EXPECT_GT(fonts, 1);
    EXPECT_EQ(Count(QpdfJson(out), "\"/Type\": \"/Font\""), fonts);
  }
}

TEST(PageImport, AProtectedDocumentEncryptsWhatItCopies) {
  // A page whose resources hold strings, directly and in a copied object.
  testing::TestPdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 200 100] >>");
  pdf.Object(3,
             "<< /Type /Page /Parent 2 0 R /Contents 4 0 R /Resources << /Font << /F1 5 0 R >>"
             " /Properties << /MC0 6 0 R /MC1 << /Name (Direct) >> >> >> >>");
  pdf.Stream(4, "", "BT /F1 24 Tf 10 40 Td (Imported) Tj ET 0 0 1 rg 150 10 40 40 re f");
  pdf.Object(5, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  pdf.Object(6, "<< /Type /OCG /Name (Hello \\(world\\)) /Note <48692E> >>");
  pdf.ClassicXref({0, 1, 2, 3, 4, 5, 6}, "/Size 7 /Root 1 0 R");
  TempDir dir;
  const fs::path source = dir / "source.pdf";
  std::ofstream(source, std::ios::binary) << pdf.bytes();
  const fs::path out = dir / "protected.pdf";
  ImportEveryPage(source, out, 1, [](Pagora& doc) {
    doc.SetCompression(kCompressFlate, 3);
    doc.SetProtection(kAllowPrint | kProtect128Bit, "owner", "");
  });
  ASSERT_TRUE(testing::QpdfChecksClean(out));
  const std::string raw = testing::ReadFileBytes(out);
  EXPECT_EQ(raw.find("Hello"), std::string::npos);
  EXPECT_EQ(raw.find("Direct"), std::string::npos);
  const fs::path decrypted = dir / "decrypted.pdf";
  const auto run = RunCommand("qpdf --decrypt --qdf --object-streams=disable " +
                              ShellQuote(out.string()) + " " + ShellQuote(decrypted.string()));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const std::string plain = testing::ReadFileBytes(decrypted);
  EXPECT_NE(plain.find("(Hello \\(world\\))"), std::string::npos);
  EXPECT_NE(plain.find("(Hi.)"), std::string::npos);
  EXPECT_NE(plain.find("(Direct)"), std::string::npos);
  EXPECT_NE(plain.find("(Imported) Tj"), std::string::npos);
  ExpectSameRenders(source, out, 1);
  // A real file's fonts and images, encrypted under their new numbers.
  const fs::path letter = dir / "letter.pdf";
  fs::copy_file(fs::path(PAGORA_TEST_DATA_DIR) / "pdf/pdftex1403-upref.pdf", letter);
  const fs::path protected_letter = dir / "protected-letter.pdf";
  ImportEveryPage(letter, protected_letter, 2,
                  [](Pagora& doc) { doc.SetProtection(kAllowPrint, "owner", ""); });
  ASSERT_TRUE(testing::QpdfChecksClean(protected_letter));
  ExpectSameRenders(letter, protected_letter, 2);
}

// A one-page source whose page object and content the cases vary.
std::string SourceWith(const std::string& page, const std::string& object_6 = "") {
  testing::TestPdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 200 100] >>");
  pdf.Object(3, page);
  pdf.Stream(4, "", "0 0 1 rg 10 10 50 50 re f");
  pdf.Object(5, "<< /Type /ExtGState /CA 1 /Next 6 0 R >>");
  pdf.Object(6, object_6.empty() ? "<< /Back 5 0 R >>" : object_6);
  pdf.Stream(7, "/Filter /DCTDecode", "not a picture");
  pdf.Stream(8, "/Filter /FlateDecode", "not deflate");
  pdf.ClassicXref({0, 1, 2, 3, 4, 5, 6, 7, 8}, "/Size 9 /Root 1 0 R");
  return pdf.bytes();
}

TEST(PageImport, DamagedSourcesRecordAnErrorAndLeaveAValidDocument) {
  TempDir dir;
  fs::create_directory(dir / "folder.pdf");
  std::ofstream(dir / "plain") << "plain";
  std::string looping_tree = SourceWith("<< /Type /Pages /Kids [3 0 R] /Contents 4 0 R >>");
  std::string past_the_end = SourceWith("<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>");
  {
    // Object 4's offset moved past the end of the file.
    const std::size_t table = past_the_end.rfind("xref");
    std::size_t entry = table;
    for (int line = 0; line < 6; ++line) entry = past_the_end.find('\n', entry) + 1;
    past_the_end.replace(entry, 10, "9999999999");
  }
  const struct {
    const char* label;
    std::string bytes;  // empty: no file written
    std::string path;   // when no bytes
    int error;
    const char* source;
  } cases[] = {
      {"missing file", "", (dir / "none.pdf").string(), 53, "Pagora.GetInfo"},
      {"a file for a folder", "", (dir / "plain" / "a.pdf").string(), 76, "Pagora.GetInfo"},
      {"a folder", "", (dir / "folder.pdf").string(), 75, "Pagora.GetInfo"},
      {"not a PDF", "GIF89a", "", 321, "Pagora.GetInfo"},
      {"page tree loop", looping_tree, "", 321, "Pagora.GetInfo"},
      {"an object past the end", past_the_end, "", 321, "Pagora.GetInfo"},
      {"content that does not inflate",
       SourceWith("<< /Type /Page /Parent 2 0 R /Contents 8 0 R >>"), "", 321, "Pagora.ImportPage"},
      {"content filter not decodable",
       SourceWith("<< /Type /Page /Parent 2 0 R /Contents 7 0 R >>"), "", 321, "Pagora.ImportPage"},
      {"resources that loop",
       SourceWith("<< /Type /Page /Parent 2 0 R /Contents 4 0 R"
                  " /Resources << /ExtGState << /G0 5 0 R >> >> >>"),
       "", 0, ""},
      {"a link back to the page",
       SourceWith("<< /Type /Page /Parent 2 0 R /Contents 4 0 R"
                  " /Resources << /ExtGState << /G0 5 0 R >> >> >>",
                  "<< /P 3 0 R /Parent 2 0 R /Kept 1 >>"),
       "", 0, ""},
      {"an empty box", SourceWith("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 0 100] >>"), "", 321,
       "Pagora.ImportPage"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string path = c.path;
    if (!c.bytes.empty()) {
      path = (dir / "source.pdf").string();
      std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    }
    const fs::path out = dir / "out.pdf";
    Pagora doc(testing::FixedTestTime);
    doc.BeginDoc(out.string());
    doc.BeginPage();
    doc.ImportPage(path, 1, 0, 0);
    EXPECT_EQ(doc.ErrNumber(), c.error) << doc.ErrDescription();
    EXPECT_EQ(doc.ErrSource(), c.source);
    if (c.error != 0) {
      EXPECT_TRUE(doc.ErrDescription().ends_with(" - " + path));
    }
    doc.EndDoc();
    EXPECT_TRUE(testing::QpdfChecksClean(out));
    const std::string file = testing::ReadFileBytes(out);
    EXPECT_EQ(file.find("/_PDF_1.1 Do") != std::string::npos, c.error == 0);
    EXPECT_EQ(file.find("/Kept 1") != std::string::npos,
              std::string(c.label) == "a link back to the page");
  }
}

}  // namespace
}  // namespace pagora

#include "pdf/import/pdf_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/codec/ascii85.h"
#include "pdf/import/page_tree.h"
#include "pdf/import/references.h"
#include "pdf/import/source_info.h"
#include "tests/import/test_pdf_builder.h"

namespace pagora {
namespace {

using testing::TestPdfBuilder;
using testing::ZlibCompress;

std::unique_ptr<PdfFile> OpenBytes(const std::string& bytes, PdfStatus& status) {
  auto file = std::make_unique<PdfFile>(
      std::make_unique<MemoryByteSource>(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
  status = file->Open();
  return file;
}

std::string PageValue(PdfFile& file, std::uint32_t page, const char* key) {
  std::string dictionary, value;
  EXPECT_EQ(file.ReadObjectText(page, dictionary), PdfStatus::kOk);
  EXPECT_EQ(GetInheritedValue(file, dictionary, key, value), PdfStatus::kOk);
  return value;
}

std::string PageContent(PdfFile& file, std::uint32_t page, PdfStatus expected = PdfStatus::kOk) {
  std::string dictionary;
  std::vector<std::uint8_t> content;
  EXPECT_EQ(file.ReadObjectText(page, dictionary), PdfStatus::kOk);
  EXPECT_EQ(ReadPageContent(file, dictionary, content), expected);
  return std::string(content.begin(), content.end());
}

// Two pages under one node that holds the media box and the resources; page 2 has its own
// box by reference and two content streams, the first with an indirect /Length. An
// incremental update then replaces page 1 and the information dictionary.
std::string UpdatedFile() {
  TestPdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  pdf.Object(2,
             "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 /MediaBox [0 0 612 792]\n"
             "   /Resources << /Font << /F1 7 0 R >> >> >>");
  pdf.Object(3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>");
  pdf.Object(4, "<< /Type /Page /Parent 2 0 R /MediaBox 8 0 R /Contents [5 0 R 6 0 R] >>");
  pdf.Object(5, "<< /Length 9 0 R >>\nstream\nBT (one) Tj ET\nendstream");
  pdf.Stream(6, "/Filter /FlateDecode", ZlibCompress("0 0 m"));
  pdf.Object(7, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  pdf.Object(8, "[0 0 200 300]");
  pdf.Object(9, "14");
  pdf.Object(12, "<< /Title (Old) /Author (Someone) >>");
  const std::size_t first =
      pdf.ClassicXref({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12}, "/Size 13 /Root 1 0 R /Info 12 0 R");
  pdf.Object(3, "<< /TypeX /Pages /Type /Page /Parent 2 0 R /Rotate 90 /Contents 5 0 R >>");
  pdf.Object(12, "<< /Title <FEFF004E00E9> /Author (Someone) /Subject 13 0 R >>");
  pdf.Object(13, "(About \\(it\\))");
  pdf.ClassicXref({3, 12, 13}, "/Size 14 /Root 1 0 R /Info 12 0 R /Prev " + std::to_string(first));
  return pdf.bytes();
}

TEST(PdfFile, ReadsClassicTablesWithSubsectionsAndUpdates) {
  PdfStatus status;
  const auto file = OpenBytes(UpdatedFile(), status);
  ASSERT_EQ(status, PdfStatus::kOk);
  EXPECT_EQ(file->version_level(), 1);
  EXPECT_FALSE(file->encrypted());

  std::vector<std::uint32_t> pages;
  ASSERT_EQ(CollectPages(*file, pages), PdfStatus::kOk);
  EXPECT_EQ(pages, (std::vector<std::uint32_t>{3, 4}));
  EXPECT_EQ(PageValue(*file, 3, "Rotate"), "90");  // the updated page 3
  EXPECT_EQ(PageValue(*file, 3, "MediaBox"), "[0 0 612 792]");
  EXPECT_EQ(PageValue(*file, 4, "MediaBox"), "[0 0 200 300]");
  EXPECT_EQ(PageValue(*file, 4, "Resources"), "<< /Font << /F1 7 0 R >> >>");
  EXPECT_EQ(PageValue(*file, 4, "CropBox"), "");
  EXPECT_EQ(PageContent(*file, 3), "BT (one) Tj ET");
  EXPECT_EQ(PageContent(*file, 4), "BT (one) Tj ET\n0 0 m");

  SourceInfo info;
  ASSERT_EQ(ReadSourceInfo(*file, info), PdfStatus::kOk);
  EXPECT_EQ(info.title, "N\xE9");
  EXPECT_EQ(info.author, "Someone");
  EXPECT_EQ(info.subject, "About (it)");

  std::vector<std::uint32_t> reached;
  ASSERT_EQ(
      CollectReferencedObjects(
          *file, PageValue(*file, 4, "Resources"), [](std::uint32_t) { return false; }, reached),
      PdfStatus::kOk);
  EXPECT_EQ(reached, (std::vector<std::uint32_t>{7}));
}

// The same document kept in an object stream and indexed by a cross-reference stream, or,
// in the hybrid form, by a classic table whose /XRefStm lists the compressed objects.
std::string CompressedFile(bool hybrid) {
  TestPdfBuilder pdf("%PDF-1.5\n");
  pdf.ObjectStream(10, {{1, "<< /Type /Catalog /Pages 2 0 R >>"},
                        {2, "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 10 20] >>"},
                        {3, "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>"},
                        {5, "<< /Title (Packed) >>"}});
  pdf.Stream(4, "/Filter [/ASCII85Decode /FlateDecode]", [] {
    const std::string deflated = ZlibCompress("1 0 0 RG");
    const auto encoded = EncodeAscii85(std::vector<std::uint8_t>(deflated.begin(), deflated.end()));
    return std::string(encoded.begin(), encoded.end());
  }());
  const std::size_t stream =
      pdf.XrefStream(11, {0, 1, 2, 3, 4, 5, 10, 11}, "/Size 12 /Root 1 0 R /Info 5 0 R");
  if (hybrid) {
    pdf.ClassicXref({0, 1, 2, 3, 4, 5, 10},
                    "/Size 12 /Root 1 0 R /Info 5 0 R /XRefStm " + std::to_string(stream));
  }
  return pdf.bytes();
}

TEST(PdfFile, ReadsCrossReferenceStreamsAndObjectStreams) {
  for (const bool hybrid : {false, true}) {
    SCOPED_TRACE(hybrid ? "hybrid" : "stream");
    PdfStatus status;
    const auto file = OpenBytes(CompressedFile(hybrid), status);
    ASSERT_EQ(status, PdfStatus::kOk);
    EXPECT_EQ(file->version_level(), 2);
    std::vector<std::uint32_t> pages;
    ASSERT_EQ(CollectPages(*file, pages), PdfStatus::kOk);
    EXPECT_EQ(pages, (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(PageValue(*file, 3, "MediaBox"), "[0 0 10 20]");
    EXPECT_EQ(PageContent(*file, 3), "1 0 0 RG");
    SourceInfo info;
    ASSERT_EQ(ReadSourceInfo(*file, info), PdfStatus::kOk);
    EXPECT_EQ(info.title, "Packed");
  }
}

// A one-page document whose parts the cases below replace.
struct Parts {
  std::string catalog = "<< /Type /Catalog /Pages 2 0 R >>";
  std::string pages = "<< /Type /Pages /Kids [3 0 R] /Count 1 >>";
  std::string page = "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>";
  std::string content = "<< /Length 5 >>\nstream\n0 0 m\nendstream";
  std::string trailer = "/Size 5 /Root 1 0 R";
  std::string tail;  // replaces startxref and what follows when not empty
};

std::string Build(const Parts& parts) {
  TestPdfBuilder pdf;
  pdf.Object(1, parts.catalog);
  pdf.Object(2, parts.pages);
  pdf.Object(3, parts.page);
  pdf.Object(4, parts.content);
  pdf.ClassicXref({0, 1, 2, 3, 4}, parts.trailer);
  std::string bytes = pdf.bytes();
  if (!parts.tail.empty()) bytes = bytes.substr(0, bytes.rfind("startxref")) + parts.tail;
  return bytes;
}

TEST(PdfFile, DamagedFilesGiveAStatusNeverACrash) {
  struct Case {
    const char* name;
    Parts parts;
    PdfStatus open;
    PdfStatus pages;
  };
  std::vector<Case> cases;
  auto add = [&](const char* name, auto change, PdfStatus open, PdfStatus pages) {
    Parts parts;
    change(parts);
    cases.push_back({name, parts, open, pages});
  };
  add(
      "sound", [](Parts&) {}, PdfStatus::kOk, PdfStatus::kOk);
  add(
      "startxref past the end", [](Parts& p) { p.tail = "startxref\n999999\n%%EOF\n"; },
      PdfStatus::kOutOfRange, PdfStatus::kOk);
  add(
      "no startxref", [](Parts& p) { p.tail = "%%EOF\n"; }, PdfStatus::kMalformed, PdfStatus::kOk);
  add(
      "startxref at an object that is no xref", [](Parts& p) { p.tail = "startxref\n9\n%%EOF\n"; },
      PdfStatus::kMalformed, PdfStatus::kOk);
  add(
      "Prev loop", [](Parts& p) { p.trailer += " /Prev 9999"; }, PdfStatus::kOk,
      PdfStatus::kOk);  // patched below to point at itself
  add(
      "page tree cycle", [](Parts& p) { p.page = "<< /Type /Pages /Kids [2 0 R] >>"; },
      PdfStatus::kOk, PdfStatus::kCycle);
  add(
      "missing page", [](Parts& p) { p.pages = "<< /Type /Pages /Kids [7 0 R] >>"; },
      PdfStatus::kOk, PdfStatus::kMissingObject);
  add(
      "kids not references", [](Parts& p) { p.pages = "<< /Type /Pages /Kids [1 2] >>"; },
      PdfStatus::kOk, PdfStatus::kMalformed);
  add(
      "no root", [](Parts& p) { p.trailer = "/Size 5"; }, PdfStatus::kOk,
      PdfStatus::kMissingObject);
  add(
      "encrypted", [](Parts& p) { p.trailer += " /Encrypt << /Filter /Standard >>"; },
      PdfStatus::kOk, PdfStatus::kOk);

  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = Build(c.parts);
    if (std::string(c.name) == "Prev loop") {
      const std::size_t xref = bytes.rfind("xref\n0 5");
      bytes.replace(bytes.find("9999"), 4, std::to_string(xref));
      c.open = PdfStatus::kCycle;
    }
    PdfStatus status;
    const auto file = OpenBytes(bytes, status);
    EXPECT_EQ(status, c.open) << PdfStatusName(status);
    if (status != PdfStatus::kOk) continue;
    std::vector<std::uint32_t> pages;
    EXPECT_EQ(CollectPages(*file, pages), c.pages);
    EXPECT_EQ(file->encrypted(), std::string(c.name) == "encrypted");
  }
}

TEST(PdfFile, BadObjectsAndStreamsGiveAStatus) {
  const struct {
    const char* name;
    const char* page;
    const char* content;
    PdfStatus status;
    const char* expected;
  } cases[] = {
      {"too long /Length: found by endstream", nullptr,
       "<< /Length 500 >>\nstream\n0 0 m\nendstream", PdfStatus::kOk, "0 0 m"},
      {"missing /Length", nullptr, "<< >>\nstream\r\n0 0 m\r\nendstream", PdfStatus::kOk, "0 0 m"},
      {"/Length refers to itself", nullptr, "<< /Length 4 0 R >>\nstream\n0 0 m\nendstream",
       PdfStatus::kCycle, ""},
      {"image filter in content", nullptr,
       "<< /Length 5 /Filter /DCTDecode >>\nstream\n0 0 m\nendstream",
       PdfStatus::kUnsupportedFilter, ""},
      {"undecodable Flate", nullptr,
       "<< /Length 5 /Filter /FlateDecode >>\nstream\nx\x9C\xFF\xFF\xFF\nendstream",
       PdfStatus::kMalformed, ""},
      {"content is no stream", nullptr, "(text)", PdfStatus::kMalformed, ""},
      {"contents by reference to an array", "<< /Type /Page /Contents 4 0 R >>", "[4 0 R]",
       PdfStatus::kMalformed, ""},
      {"parent cycle", "<< /Type /Page /Parent 3 0 R /Contents 4 0 R >>", nullptr,
       PdfStatus::kCycle, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Parts parts;
    if (c.page) parts.page = c.page;
    if (c.content) parts.content = c.content;
    PdfStatus status;
    const auto file = OpenBytes(Build(parts), status);
    ASSERT_EQ(status, PdfStatus::kOk);
    if (std::string(c.name) == "parent cycle") {
      std::string dictionary, value;
      ASSERT_EQ(file->ReadObjectText(3, dictionary), PdfStatus::kOk);
      EXPECT_EQ(GetInheritedValue(*file, dictionary, "MediaBox", value), PdfStatus::kCycle);
      continue;
    }
    EXPECT_EQ(PageContent(*file, 3, c.status), c.expected);
  }
}

TEST(PdfFile, ObjectsPastTheEndOrMismatchedAreRefused) {
  TestPdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  pdf.Object(2, "<< /Type /Pages /Kids [] /Count 0 >>");
  std::string bytes = pdf.bytes();
  const std::size_t xref = bytes.size();
  bytes += "xref\n0 4\n0000000000 65535 f\r\n";
  char entry[21];
  std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", pdf.OffsetOf(1));
  bytes += entry;
  std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", pdf.OffsetOf(1));  // 2 points at 1
  bytes += entry;
  bytes += "0000999999 00000 n\r\ntrailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
  PdfStatus status;
  const auto file = OpenBytes(bytes, status);
  ASSERT_EQ(status, PdfStatus::kOk);
  std::string text;
  EXPECT_EQ(file->ReadObjectText(1, text), PdfStatus::kOk);
  EXPECT_EQ(file->ReadObjectText(2, text), PdfStatus::kMalformed);
  EXPECT_EQ(file->ReadObjectText(3, text), PdfStatus::kOutOfRange);
  EXPECT_EQ(file->ReadObjectText(0, text), PdfStatus::kMissingObject);
  EXPECT_EQ(file->ReadObjectText(4, text), PdfStatus::kMissingObject);
}

TEST(PdfFile, APageTreeDeeperThanTheLimitIsRefused) {
  for (const int depth : {kMaxPdfNesting - 2, kMaxPdfNesting + 5}) {
    TestPdfBuilder pdf;
    std::vector<std::uint32_t> numbers = {0, 1};
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    const std::uint32_t last = 2 + static_cast<std::uint32_t>(depth);
    for (std::uint32_t n = 2; n < last; ++n) {
      pdf.Object(n, "<< /Type /Pages /Kids [" + std::to_string(n + 1) + " 0 R] >>");
      numbers.push_back(n);
    }
    pdf.Object(last, "<< /Type /Page >>");
    numbers.push_back(last);
    pdf.ClassicXref(numbers, "/Root 1 0 R");
    PdfStatus status;
    const auto file = OpenBytes(pdf.bytes(), status);
    ASSERT_EQ(status, PdfStatus::kOk);
    std::vector<std::uint32_t> pages;
    EXPECT_EQ(CollectPages(*file, pages),
              depth < kMaxPdfNesting ? PdfStatus::kOk : PdfStatus::kTooDeep);
  }
}

TEST(PdfFile, StreamsBeyondTheLimitsAreRefused) {
  TestPdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  pdf.Object(2, "<< /Type /Pages /Kids [3 0 R] >>");
  pdf.Object(3, "<< /Type /Page /Contents [4 0 R 5 0 R] >>");
  pdf.Stream(4, "/Filter /FlateDecode", ZlibCompress(std::string(3000, 'a')));
  pdf.Stream(5, "", std::string(3000, 'b'));
  pdf.ClassicXref({0, 1, 2, 3, 4, 5}, "/Root 1 0 R");
  const struct {
    std::size_t limit;
    PdfStatus status;
  } cases[] = {{2999, PdfStatus::kTooLarge}, {5000, PdfStatus::kTooLarge}, {6001, PdfStatus::kOk}};
  for (const auto& c : cases) {
    PdfLimits limits;
    limits.max_stream_bytes = c.limit;
    PdfFile file(std::make_unique<MemoryByteSource>(pdf.data()), limits);
    ASSERT_EQ(file.Open(), PdfStatus::kOk);
    PageContent(file, 3, c.status);
  }
}

}  // namespace
}  // namespace pagora

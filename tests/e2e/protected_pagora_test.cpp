// Protected documents written through the public interface: every string and stream is
// encrypted, readers open them with the permissions asked for, and decrypted they equal
// their unprotected twins.
#include <gtest/gtest.h>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::PdfinfoField;
using testing::ReadFileBytes;
using testing::RunCommand;
using testing::ShellQuote;

void WriteSample(const std::filesystem::path& path, std::int32_t flags) {
  Pagora doc(testing::FixedTestTime);
  if (flags >= 0) doc.SetProtection(flags, "ubrelotanvix", "");
  doc.SetDocProperty("Cantiere (via Roma) \xE8", "Oggetto", "", "", "", "");
  doc.SetLabel(1, "P-", 1);
  doc.BeginDoc(path.string());
  for (int page = 0; page < 3; ++page) {
    doc.BeginPage();
    doc.SetColorFill("red");
    doc.DrawRect(50, 50, 100 + 50 * page, 100, 5);
  }
  // A content stream past 4 KiB, which is encrypted and written on the second thread.
  for (int i = 0; i < 400; ++i) doc.DrawRect(20 + i, 300, 1, 2, 5);
  doc.EndDoc();
}

std::string Decrypted(const std::filesystem::path& pdf, const std::string& options) {
  const auto out = pdf.parent_path() / (pdf.stem().string() + "-plain.pdf");
  const auto run = RunCommand("qpdf " + options + " --decrypt --qdf --object-streams=disable " +
                              ShellQuote(pdf.string()) + " " + ShellQuote(out.string()));
  EXPECT_EQ(run.exit_code, 0) << run.output;
  return ReadFileBytes(out);
}

TEST(ProtectedPagora, BillboardProtectionPrintsOnly) {
  testing::TempDir dir;
  const auto plain = dir / "plain.pdf";
  const auto locked = dir / "locked.pdf";
  WriteSample(plain, -1);
  WriteSample(locked, 4);
  ASSERT_TRUE(testing::PassesAllReaders(locked));

  const std::string file = ReadFileBytes(locked);
  EXPECT_NE(file.find("/P -60\r/V 1 /R 2 >>"), std::string::npos);
  EXPECT_NE(file.find("/Encrypt 10 0 R /ID [<"), std::string::npos);  // after the six page objects
  EXPECT_EQ(file.find("Cantiere"), std::string::npos);                // the title is encrypted
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.3");

  const std::string info = RunCommand("pdfinfo " + ShellQuote(locked.string())).output;
  EXPECT_EQ(
      PdfinfoField(info, "Encrypted").rfind("yes (print:yes copy:no change:no addNotes:no", 0), 0u);
  const std::string encryption =
      RunCommand("qpdf --show-encryption " + ShellQuote(locked.string())).output;
  EXPECT_NE(encryption.find("R = 2"), std::string::npos) << encryption;
  EXPECT_NE(encryption.find("P = -60"), std::string::npos) << encryption;

  // Decrypted with the empty user password or the owner's, the pages, the title and the
  // label prefix (encoded under the catalog's key) read as in the unprotected twin.
  for (const std::string options : {"", "--password=ubrelotanvix"}) {
    const std::string decrypted = Decrypted(locked, options);
    EXPECT_NE(decrypted.find("/Title (Cantiere \\(via Roma\\) \xE8)"), std::string::npos);
    EXPECT_NE(decrypted.find("/P (P-)"), std::string::npos);
    EXPECT_NE(decrypted.find("100 100 re"), std::string::npos);
    EXPECT_NE(decrypted.find("419 300 1 2 re"), std::string::npos);
  }
  for (const auto renderer : {testing::Renderer::kPoppler, testing::Renderer::kMupdf}) {
    testing::Raster a, b;
    ASSERT_TRUE(testing::Render(plain, renderer, 3, 36, &a));
    ASSERT_TRUE(testing::Render(locked, renderer, 3, 36, &b));
    EXPECT_EQ(a.rgb, b.rgb);
  }
}

TEST(ProtectedPagora, Revision3RaisesTheVersionAndGrantsWhatIsAsked) {
  testing::TempDir dir;
  const auto locked = dir / "locked.pdf";
  WriteSample(locked, 4096 | 4 | 16);
  ASSERT_TRUE(testing::PassesAllReaders(locked));
  const std::string file = ReadFileBytes(locked);
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.4");
  EXPECT_NE(file.find("/V 2 /R 3 /Length 128 >>"), std::string::npos);
  const std::string info = RunCommand("pdfinfo " + ShellQuote(locked.string())).output;
  EXPECT_EQ(
      PdfinfoField(info, "Encrypted").rfind("yes (print:yes copy:yes change:no addNotes:no", 0),
      0u);
  EXPECT_NE(RunCommand("pdftotext -layout " + ShellQuote(locked.string()) + " -").exit_code, 1);
  EXPECT_NE(Decrypted(locked, "").find("/P (P-)"), std::string::npos);
}

}  // namespace
}  // namespace pagora

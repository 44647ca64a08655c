// Documents encrypted with the standard security handler, written by hand with the object
// writer, must open in independent readers with the permissions asked for and give back
// exactly the content of their unprotected twin.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "pdf/codec/standard_security.h"
#include "pdf/core/document_security.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/text_encoding.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::Raster;
using testing::Renderer;
using testing::RunCommand;
using testing::ShellQuote;

constexpr std::string_view kProducer = "Produttore di prova \xA9";
constexpr std::string_view kTitle = "Cantiere (via Roma) \\ 12";
const std::string kContent =
    "1 0 0 rg 20 20 80 60 re f\rBT /F1 24 Tf 110 40 Td (Ciao) Tj ET\r0 0 1 rg 150 70 30 20 re f";

// One page, 200 x 100 pt: a red and a blue rectangle and the word "Ciao"; an information
// dictionary with a title. Without protection it is the twin of the protected document.
void WriteDocument(const std::string& path, const DocumentSecurity& security) {
  PdfObjectWriter writer;
  writer.Open(path);
  writer.WriteLine("%PDF-1.3\n% \xA9 test");
  writer.ReserveSharedObjects();

  const int font = writer.StartObject();
  writer.WriteLine("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  writer.FinishObject();

  const int stream = writer.StartObject();
  const std::string data = security.Encrypt(stream, kContent);
  writer.WriteLine("<< /Length " + std::to_string(data.size()) + " >>");
  writer.WriteLine("stream");
  writer.WriteLine(data);
  writer.WriteLine("endstream");
  writer.FinishObject();

  const int page = writer.StartObject();
  writer.WriteLine(
      "<< /Type /Page /Parent 1 0 R /MediaBox [0 0 200 100] /Resources 2 0 R\r"
      "/Contents " +
      std::to_string(stream) + " 0 R >>");
  writer.FinishObject();

  writer.StartObject(3);
  writer.WriteLine("<< >>");
  writer.FinishObject();
  writer.StartObject(2);
  writer.WriteLine("<< /ProcSet [/PDF /Text ] /Font << /F1 " + std::to_string(font) + " 0 R >> >>");
  writer.FinishObject();
  writer.StartObject(1);
  writer.WriteLine("<<\r/Type /Pages /Count 1\r/Kids [" + std::to_string(page) + " 0 R ] \r>>");
  writer.FinishObject();

  std::optional<TrailerEncryption> encryption;
  if (security.on()) {
    const int dictionary = writer.StartObject();
    writer.WriteLine(security.DictionaryText());
    writer.FinishObject();
    writer.RequireVersion(security.version_bump());
    encryption = security.Trailer(dictionary);
  }

  const int catalog = writer.StartObject();
  writer.WriteLine("<< /Type /Catalog\r/Pages 1 0 R\r>>");
  writer.FinishObject();
  const int info = writer.StartObject();
  writer.WriteLine("<<\r/Title (" + EscapeString(security.Encrypt(info, kTitle)) +
                   ")\r/Author ()\r>>");
  writer.FinishObject();

  writer.WriteXrefAndTrailer(info, catalog, encryption);
  writer.FinishFile();
}

struct ProtectionCase {
  std::string_view name;
  std::int32_t flags;
  std::string_view owner;
  std::string_view user;
  std::string_view qpdf_revision;  // as `qpdf --show-encryption` reports it
  std::string_view pdfinfo_encrypted;
};

const ProtectionCase kCases[] = {
    {"billboard", 4, "ubrelotanvix", "", "R = 2",
     "yes (print:yes copy:no change:no addNotes:no algorithm:RC4)"},
    {"copy_and_notes_40", 16 + 32, "proprietario", "utente", "R = 2",
     "yes (print:no copy:yes change:no addNotes:yes algorithm:RC4)"},
    {"owner_from_user_40", 4 + 8, "  ", "utente", "R = 2",
     "yes (print:yes copy:no change:yes addNotes:no algorithm:RC4)"},
    {"print_128", 4096 + 4, "ubrelotanvix", "", "R = 3",
     "yes (print:yes copy:no change:no addNotes:no algorithm:RC4)"},
    {"all_documented_128", 4096 + 4 + 8 + 16 + 32 + 256 + 512 + 1024 + 2048, "o", "u", "R = 3",
     "yes (print:yes copy:yes change:yes addNotes:yes algorithm:RC4)"},
    {"every_bit_128", -1, "o", "", "R = 3",
     "yes (print:yes copy:yes change:yes addNotes:yes algorithm:RC4)"},
};

void PrintTo(const ProtectionCase& c, std::ostream* out) {
  *out << c.name;
}

class ProtectedDocument : public ::testing::TestWithParam<ProtectionCase> {};

TEST_P(ProtectedDocument, ReadersDecryptItToItsTwin) {
  const ProtectionCase& c = GetParam();
  DocumentSecurity security;
  security.Protect(c.flags, c.owner, c.user, kProducer);
  const std::int16_t permission_value = *PermissionValue(c.flags);
  testing::TempDir dir;
  const auto protected_pdf = dir / "protected.pdf";
  const auto plain_pdf = dir / "plain.pdf";
  WriteDocument(protected_pdf.string(), security);
  WriteDocument(plain_pdf.string(), DocumentSecurity());

  const std::string user_option = c.user.empty() ? "" : " --password=" + ShellQuote(c.user);
  const auto shown =
      RunCommand("qpdf --show-encryption" + user_option + " " + ShellQuote(protected_pdf.string()));
  EXPECT_EQ(shown.exit_code, 0) << shown.output;
  EXPECT_NE(shown.output.find(c.qpdf_revision), std::string::npos) << shown.output;
  EXPECT_NE(shown.output.find("P = " + std::to_string(permission_value)), std::string::npos)
      << shown.output;

  // Opening with the user password, and with the owner password (when it is its own).
  std::vector<std::string> passwords = {std::string(c.user)};
  if (c.owner.find_first_not_of(' ') != std::string_view::npos) passwords.emplace_back(c.owner);
  for (const std::string& password : passwords) {
    const auto decrypted = dir / "decrypted.pdf";
    const auto run =
        RunCommand("qpdf --password=" + ShellQuote(password) + " --decrypt " +
                   ShellQuote(protected_pdf.string()) + " " + ShellQuote(decrypted.string()));
    ASSERT_EQ(run.exit_code, 0) << password << ": " << run.output;
    const auto stream =
        RunCommand("qpdf --show-object=5 --filtered-stream-data " + ShellQuote(decrypted.string()));
    EXPECT_EQ(stream.output, kContent) << password;
    std::string info;
    ASSERT_TRUE(testing::PdfinfoReads(decrypted, &info));
    EXPECT_EQ(testing::PdfinfoField(info, "Title"), kTitle) << password;
  }
  const auto pdfinfo =
      RunCommand("pdfinfo" + (c.user.empty() ? "" : " -upw " + ShellQuote(c.user)) + " " +
                 ShellQuote(protected_pdf.string()));
  EXPECT_EQ(testing::PdfinfoField(pdfinfo.output, "Encrypted"), c.pdfinfo_encrypted);

  if (!c.user.empty()) {
    const auto refused = RunCommand("qpdf --decrypt " + ShellQuote(protected_pdf.string()) + " " +
                                    ShellQuote((dir / "refused.pdf").string()));
    EXPECT_NE(refused.exit_code, 0) << "a user password is required";
    return;  // the other readers below are run without passwords
  }

  EXPECT_TRUE(testing::PassesAllReaders(protected_pdf));
  std::string info;
  ASSERT_TRUE(testing::PdfinfoReads(protected_pdf, &info));
  EXPECT_EQ(testing::PdfinfoField(info, "Title"), kTitle);
  EXPECT_EQ(testing::PdfinfoField(info, "PDF version"),
            security.version_bump() == 0 ? "1.3" : "1.4");
  const auto text = RunCommand("pdftotext " + ShellQuote(protected_pdf.string()) + " -");
  EXPECT_NE(text.output.find("Ciao"), std::string::npos) << text.output;

  for (const Renderer renderer : {Renderer::kPoppler, Renderer::kMupdf}) {
    Raster protected_raster;
    Raster plain_raster;
    ASSERT_TRUE(testing::Render(protected_pdf, renderer, 1, 72, &protected_raster));
    ASSERT_TRUE(testing::Render(plain_pdf, renderer, 1, 72, &plain_raster));
    EXPECT_TRUE(testing::NearColor(protected_raster.At(50, 50), testing::Rgb{255, 0, 0}));
    EXPECT_EQ(protected_raster.rgb, plain_raster.rgb);
  }
}

INSTANTIATE_TEST_SUITE_P(Permissions, ProtectedDocument, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace pagora

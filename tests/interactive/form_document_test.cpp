// Form fields and scripts read back by independent readers: qpdf's view of the form,
// pdfinfo's of the scripts, and the bytes where the layout is the point.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::ReadFileBytes;
using testing::RunCommand;
using testing::ShellQuote;

void WriteForm(const std::filesystem::path& path, bool protect) {
  Pagora doc(testing::FixedTestTime);
  if (protect) doc.SetProtection(kAllowPrint | kAllowFillForms | 4096, "proprietario", "");
  doc.BeginDoc(path.string());
  doc.BeginPage();
  doc.SetFont("Helvetica", 10.5f);
  doc.SetColorFill("@0;0;20;0");  // CMYK: the background is the colour it converts to
  doc.AddField("nome", kFieldText, 50, 50, 200, 20, "Mario Rossi", "20", "Nome e cognome",
               kFieldMultiLine | kFieldAlignRight);
  doc.SetColorFill("#FFFFFF");
  for (const char* name : {"addr", "addr.street", "address", "addr.city"}) {
    doc.AddField(name, kFieldText, 50, 100, 200, 20, "", "", "", 0);
  }
  doc.AddField("privacy", kFieldCheckBox, 50, 150, 15, 15, "TRUE", "", "", 0);
  doc.AddField("newsletter", kFieldCheckBox, 80, 150, 15, 15, "vero", "", "", kFieldCheckCross);
  doc.AddField("provincia", kFieldComboBox, 50, 200, 100, 20, "Roma|Milano|Napoli", "2", "", 0);
  doc.AddField("lingue", kFieldListBox, 50, 250, 100, 60, "it|en|de", "1", "", kFieldMultiSelect);
  doc.AddField("socio", kFieldRadioButton, 50, 350, 15, 15, "true", "", "", 0);
  doc.AddField("invia", kFieldPushButton, 50, 400, 80, 20, "Invia", "app.alert('inviato');", "", 0);
  doc.OnFieldEvent(kFieldCalculate, "addr", "event.value = 1;");
  doc.OnFieldEvent(kFieldKeystroke, "nome", "event.rc = true;");
  doc.OnFieldEvent(kFieldCalculate, "nessuno", "event.value = 2;");  // reaches nothing
  doc.OnDocEvent(kScriptPageOpen, "console.println('pagina');", true);

  doc.BeginPage();
  // The note names the page first: the field must name the same page object.
  doc.AddNoteIcon("nota", kIconNote, 10, 10);
  doc.AddField("firma", kFieldText, 50, 50, 200, 20, "", "", "", kFieldComb);
  doc.OnDocEvent(kScriptPageClose, "console.println('fine');", false);

  doc.OnDocEvent(kScriptDocumentOpen, "app.alert('aperto');", false);
  doc.OnDocEvent(kScriptWillPrint, "app.alert('stampa');", false);
  doc.OnDocEvent(kScriptGlobal, "var g = 1;", false);
  doc.OnDocEvent(kScriptGlobal, "var h = 2;", false);
  doc.OnDocEvent(42, "ignorato", false);
  doc.EndDoc();
}

class FormDocument : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    WriteForm(pdf_, GetParam());
    ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  }
  testing::TempDir dir_;
  std::filesystem::path pdf_ = dir_ / "modulo.pdf";
};

std::string Output(const std::string& command) {
  const auto run = RunCommand(command);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  return run.output;
}

std::string Support(const char* script) {
  return ShellQuote(
      (std::filesystem::path(PAGORA_TEST_DATA_DIR) / ".." / "support" / script).string());
}

TEST_P(FormDocument, QpdfListsEveryFieldOnItsPage) {
  const std::string fields =
      Output("qpdf --json=2 --json-key=acroform " + ShellQuote(pdf_.string()) + " | python3 " +
             Support("form_walk.py"));
  // The check boxes' and radio button's on state is the name S#EC, "Sì" in WinAnsi.
  EXPECT_EQ(fields,
            "nome|/Tx|4096|Mario Rossi|Mario Rossi||1|Nome e cognome\n"
            "addr|/Tx|0||||1|addr\n"
            "addr.street|/Tx|0||||1|addr.street\n"
            "address|/Tx|0||||1|address\n"
            "addr.city|/Tx|0||||1|addr.city\n"
            "privacy|/Btn|0|/S\xEF\xBF\xBD|/S\xEF\xBF\xBD||1|privacy\n"
            "newsletter|/Btn|0|-|-||1|newsletter\n"
            "provincia|/Ch|131072|Milano|Milano|Roma,Milano,Napoli|1|provincia\n"
            "lingue|/Ch|2097152|it|it|it,en,de|1|lingue\n"
            "socio|/Btn|49152|/S\xEF\xBF\xBD|/S\xEF\xBF\xBD||1|socio\n"
            "invia|/Btn|65536|-|-||1|invia\n"
            "firma|/Tx|16777216||||2|firma\n");
  // Every widget's /P is the page whose /Annots lists it, the note's page included.
  const std::string annotations = Output(
      "qpdf --json=2 --json-key=pages --json-key=qpdf --json-stream-data=inline " +
      ShellQuote(pdf_.string()) + " | python3 " + Support("navigation_walk.py") + " annotations");
  EXPECT_EQ(annotations.find("|False|"), std::string::npos) << annotations;
  EXPECT_NE(annotations.find("2|/Text|"), std::string::npos) << annotations;
}

TEST_P(FormDocument, ReadersSeeEveryScript) {
  // pdfinfo lists the global script, the document and page actions and the fields' events;
  // the three "addr" fields share one calculate script.
  EXPECT_EQ(Output("pdfinfo -js " + ShellQuote(pdf_.string())),
            "Name Dictionary \"globalscript\":\nvar g = 1;var h = 2;\n\n"
            "Before Print Document:\napp.alert('stampa');\n\n"
            "Field Modified:\nevent.rc = true;\n\n"
            "Calculate Field:\nevent.value = 1;\n\n"
            "Calculate Field:\nevent.value = 1;\n\n"
            "Calculate Field:\nevent.value = 1;\n\n"
            "Field Activated:\napp.alert('inviato');\n\n"
            "Page Open:\nconsole.println('pagina');\n\n"
            "Widget Annotation Activated:\napp.alert('inviato');\n\n"
            "Page Close:\nconsole.println('fine');\n\n");
  // pdfinfo does not show the open action.
  const std::string open =
      Output("mutool show " + ShellQuote(pdf_.string()) + " trailer/Root/OpenAction/JS");
  EXPECT_NE(open.find("stream\napp.alert('aperto');endstream"), std::string::npos) << open;
  // The calculation order: the three fields the "addr" calculate script reached.
  std::string order;
  for (int i = 1; i <= 4; ++i) {
    order += Output("mutool show " + ShellQuote(pdf_.string()) + " trailer/Root/AcroForm/CO/" +
                    std::to_string(i) + "/T");
  }
  EXPECT_EQ(order, "(addr)\n(addr.street)\n(addr.city)\nnull\n");
}

TEST(FormDocumentBytes, TextsAsWritten) {
  testing::TempDir dir;
  const auto pdf = dir / "modulo.pdf";
  WriteForm(pdf, false);
  const std::string file = ReadFileBytes(pdf);
  EXPECT_EQ(file.substr(0, 9), "%PDF-1.5\n");  // the comb field
  const std::vector<std::string> texts = {
      // Flags 16 + 2048, maximum length 20; a point in the font size; the CMYK fill's
      // background in the RGB it converts to.
      " /FT /Tx /Ff 4096 \r/Q 2  /MaxLen 20  /DA (/Arial 10.5 Tf 0 0 0 rg ) /T (nome) "
      "/TU (Nome e cognome) /MK << /BG [ 1 1 0.8 ]  /BC [ 0 0 0 ] >> \r /V (Mario Rossi) /DV "
      "(Mario Rossi)  /AA <<  /K << /S /JavaScript /JS ",
      "/T (privacy) /MK << /CA (4)  /BG [ 1 1 1 ]  /BC [ 0 0 0 ] >>",
      "/FT /Btn /Ff 0 /V /S#EC /DV /S#EC  /DA",
      "/T (newsletter) /MK << /CA (5) ",
      "/Opt [ (Roma)(Milano)(Napoli) ]  /DV (Milano) /V (Milano) /P ",
      "/FT /Btn /Ff 65536 /DA",
      "/Names [ (globalscript) << /S /JavaScript /JS ",
  };
  for (const std::string& text : texts) EXPECT_NE(file.find(text), std::string::npos) << text;
  EXPECT_EQ(
      file.find("/T (address) /MK << /BG [ 1 1 1 ]  /BC [ 0 0 0 ] >> \r /V () /DV ()  /AP << /N "),
      file.find("/T (address)"));  // no script reached it
  EXPECT_EQ(file.find("nessuno"), std::string::npos);
}

// Viewers that ignore /NeedAppearances draw the appearance streams: the value in the
// field's font and colour, the tick of a checked box, nothing in an unchecked one.
TEST(FormAppearance, RenderersDrawValuesAndTicks) {
  testing::TempDir dir;
  const auto pdf = dir / "aspetto.pdf";
  {
    Pagora doc(testing::FixedTestTime);
    doc.BeginDoc(pdf.string());
    doc.BeginPage();
    doc.SetFont("Helvetica", 24);
    doc.SetColorText("#FF0000");
    doc.SetColorFill("#FFFFFF");
    doc.AddField("nome", kFieldText, 100, 100, 300, 40, "MMMMMM", "", "", 0);
    doc.SetColorText("#0000FF");
    doc.AddField("si", kFieldCheckBox, 100, 200, 40, 40, "true", "", "", 0);
    doc.AddField("no", kFieldCheckBox, 200, 200, 40, 40, "false", "", "", 0);
    doc.EndDoc();
  }
  ASSERT_TRUE(testing::PassesAllReaders(pdf));
  // A copy that does not ask for appearances (same length, so the offsets hold): the
  // renderers then draw only the streams.
  std::string bytes = ReadFileBytes(pdf);
  const std::size_t ask = bytes.find("/NeedAppearances true");
  ASSERT_NE(ask, std::string::npos);
  bytes.replace(ask, 21, "/NeedAppearances null");
  const auto streams_only = dir / "solo_flussi.pdf";
  {
    std::ofstream out(streams_only, std::ios::binary);
    out << bytes;
  }
  const auto count = [](const testing::Raster& page, int left, int top, int right, int bottom,
                        const testing::Rgb& color) {
    int found = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) found += testing::NearColor(page.At(x, y), color, 60);
    }
    return found;
  };
  for (const auto& [file, renderer] :
       {std::pair{pdf, testing::Renderer::kMupdf}, std::pair{pdf, testing::Renderer::kPoppler},
        std::pair{streams_only, testing::Renderer::kMupdf},
        std::pair{streams_only, testing::Renderer::kPoppler}}) {
    SCOPED_TRACE(file.filename().string() +
                 (renderer == testing::Renderer::kMupdf ? " mupdf" : " poppler"));
    testing::Raster page;
    ASSERT_TRUE(testing::Render(file, renderer, 1, 72, &page));
    // The value in red inside its box, left-aligned: none in the right half of the box.
    EXPECT_GT(count(page, 100, 100, 250, 140, {255, 0, 0}), 100);
    EXPECT_EQ(count(page, 300, 100, 400, 140, {255, 0, 0}), 0);
    EXPECT_EQ(count(page, 100, 150, 400, 200, {255, 0, 0}), 0);
    // The tick in blue inside the checked box only.
    EXPECT_GT(count(page, 104, 204, 136, 236, {0, 0, 255}), 50);
    EXPECT_EQ(count(page, 204, 204, 236, 236, {0, 0, 255}), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, FormDocument, ::testing::Bool());

}  // namespace
}  // namespace pagora

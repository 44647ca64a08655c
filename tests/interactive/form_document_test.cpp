// Form fields and scripts read back by independent readers: qpdf's view of the form,
// pdfinfo's of the scripts, and the bytes where the layout is the point.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
  doc.AddField("lingue", kFieldListBox, 50, 250, 100, 60, "it|en|de", "1", "",
               kFieldMultiSelect);
  doc.AddField("socio", kFieldRadioButton, 50, 350, 15, 15, "true", "", "", 0);
  doc.AddField("invia", kFieldPushButton, 50, 400, 80, 20, "Invia", "app.alert('inviato');", "",
               0);
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

TEST_P(FormDocument, QpdfListsEveryField) {
  const auto run = RunCommand("qpdf --json=2 --json-key=acroform " + ShellQuote(pdf_.string()));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  std::cout << run.output;
}

TEST_P(FormDocument, PdfinfoPrintsTheScripts) {
  const auto run = RunCommand("pdfinfo -js " + ShellQuote(pdf_.string()));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  std::cout << run.output;
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, FormDocument, ::testing::Bool());

}  // namespace
}  // namespace pagora

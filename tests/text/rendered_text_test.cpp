// Whole documents with text, read back by pdffonts and pdftotext and rendered by poppler
// and MuPDF: where the ink lands shows alignment, justification and decorations.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"
#include "tests/support/rendered_page.h"

namespace pagora {
namespace {

using testing::InkColumns;
using testing::Raster;
using testing::Renderer;
using testing::RunCommand;
using testing::ShellQuote;

class TextDocumentTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::function<void(Pagora&)>& draw) {
    testing::WriteOnePage(pdf_, draw);
    EXPECT_TRUE(testing::PassesAllReaders(pdf_));
    return pdf_;
  }
  testing::TempDir dir_;
  std::filesystem::path pdf_ = dir_ / "text.pdf";
};

TEST_F(TextDocumentTest, PdffontsListsEachFontOnceWithItsEncoding) {
  Write([](Pagora& d) {
    d.SetFont("Arial", 46, 1);
    d.DrawText(10, 50, "Arial");
    d.SetFont("Helvetica", 50, 1 | 4);
    d.DrawText(10, 100, "Helvetica");
    d.SetFont("Times New Roman", 12, 3);
    d.DrawText(10, 150, "Times");
    d.SetFont("Courier", 12, 0, 1);
    d.DrawText(10, 200, "Courier");
    d.SetFont("Symbol", 12);
    d.DrawText(10, 250, "abc");
    d.SetFont("ZapfDingbats", 12);
    d.DrawText(10, 300, "abc");
  });
  const std::string fonts = RunCommand("pdffonts " + ShellQuote(pdf_.string())).output;
  std::istringstream lines(fonts);
  std::string line;
  std::vector<std::string> rows;
  while (std::getline(lines, line)) {
    if (line.rfind("name", 0) != 0 && line.rfind("---", 0) != 0) rows.push_back(line);
  }
  ASSERT_EQ(rows.size(), 5u) << fonts;
  const struct {
    const char* name;
    const char* encoding;
  } expected[] = {{"Arial,Bold ", "WinAnsi"},
                  {"TimesNewRoman,BoldItalic ", "WinAnsi"},
                  {"CourierNew ", "MacRoman"},
                  {"Symbol ", nullptr},
                  {"ZapfDingbats ", nullptr}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].rfind(expected[i].name, 0), 0u) << rows[i];
    EXPECT_NE(rows[i].find("Type 1 "), std::string::npos) << rows[i];
    if (expected[i].encoding) {
      EXPECT_NE(rows[i].find(expected[i].encoding), std::string::npos) << rows[i];
    }
  }
}

TEST_F(TextDocumentTest, PdftotextReadsAccentedItalianLettersBack) {
  // Windows-1252 bytes: à è é ì ò ù and the euro sign.
  const std::string line1 = "Citt\xE0 gi\xE0 pi\xF9 perch\xE9 cos\xEC per\xF2 \x80 10";
  const std::string line2 = "Direttore dei lavori: Ing. Nicol\xF2 Fabbri";
  Write([&](Pagora& d) {
    d.SetFont("Arial", 14, 1);
    d.DrawText(20, 40, line1);
    d.SetFont("Times", 14);
    d.DrawTextBox(20, 60, 400, 0, line2);
  });
  const std::string text =
      RunCommand("pdftotext -enc UTF-8 " + ShellQuote(pdf_.string()) + " -").output;
  EXPECT_NE(text.find("Citt\u00E0 gi\u00E0 pi\u00F9 perch\u00E9 cos\u00EC per\u00F2 \u20AC 10"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Direttore dei lavori: Ing. Nicol\u00F2 Fabbri"), std::string::npos) << text;
}

TEST_F(TextDocumentTest, TextOfAProtectedDocumentIsReadBack) {
  Pagora doc(testing::FixedTestTime);
  doc.SetProtection(4 | 16, "owner", "");
  doc.BeginDoc(pdf_.string());
  doc.BeginPage();
  doc.SetFont("Arial", 20, 1);
  doc.DrawTextBox(20, 20, 300, 0, "Citt\xE0 (centro storico)");
  doc.EndDoc();
  EXPECT_TRUE(testing::PassesAllReaders(pdf_));
  EXPECT_NE(RunCommand("pdftotext -enc UTF-8 " + ShellQuote(pdf_.string()) + " -")
                .output.find("Citt\u00E0 (centro storico)"),
            std::string::npos);
}

using RenderedTextTest = testing::RenderedPageTest;

// Each row draws the same word two ways; the ink must land on the same columns (±1 pixel).
TEST_P(RenderedTextTest, RightCentredAndJustifiedTextLandWhereLeftTextWould) {
  float length = 0;
  const Raster r = Draw([&](Pagora& d) {
    d.SetFont("Arial", 40, 1);
    length = d.TextLength("HIH");
    d.DrawText(100, 60, "HIH");
    d.DrawText(100 + length, 120, "HIH", 2);
    d.DrawText(300, 180, "HIH");
    d.DrawText(300 + length / 2, 240, "HIH", 4);
    // A justified first line ends with "HIH" at the right edge of the box.
    d.DrawTextBox(100, 270, 400, 0, "HIH HIH HIH HIH HIH HIH HIH HIH", 0, 64);
    d.DrawText(500, 340, "HIH", 2);
  });
  const auto left = InkColumns(r, 35, 58);
  const auto right = InkColumns(r, 95, 118);
  EXPECT_GT(left.first, 95);
  EXPECT_NEAR(left.first, right.first, 1);
  EXPECT_NEAR(left.second, right.second, 1);
  EXPECT_LT(right.second, 100 + length);
  const auto plain = InkColumns(r, 155, 178);
  const auto centred = InkColumns(r, 215, 238);
  EXPECT_NEAR(plain.first, centred.first, 1);
  EXPECT_NEAR(plain.second, centred.second, 1);
  const auto justified = InkColumns(r, 280, 305);
  const auto ended = InkColumns(r, 315, 338);
  EXPECT_NEAR(justified.first, 100 + (left.first - 100), 1);
  EXPECT_NEAR(justified.second, ended.second, 1);
}

TEST_P(RenderedTextTest, UnderlineSitsUnderTheBaselineAcrossTheSpace) {
  const Raster r = Draw([](Pagora& d) {
    d.SetFont("Arial", 40, 4);
    d.DrawText(100, 200, "H    H");
  });
  // Size 40: the line is 2.5 points thick, 5 points under the baseline, and spans the
  // blank between the two letters, where nothing else is drawn.
  EXPECT_LT(r.At(160, 205)[0], 128);
  EXPECT_GT(r.At(160, 198)[0], 200);
  EXPECT_GT(r.At(160, 210)[0], 200);
  EXPECT_GT(r.At(160, 180)[0], 200);
}

TEST_P(RenderedTextTest, TextIsPaintedInTheTextColourOnAFilledBox) {
  const Raster r = Draw([](Pagora& d) {
    d.SetColorFill("BLACK");
    d.SetColorText("WHITE");
    d.SetFont("Arial", 60, 1);
    d.DrawTextBox(100, 100, 300, 100, "\xA6\xA6\xA6", 0, 1, 4);
    d.DrawRect(100, 300, 10, 10, 5);  // the fill colour is black again after the text
  });
  const auto ink = InkColumns(r, 100, 199);
  EXPECT_NEAR(ink.first, 100, 1);
  EXPECT_TRUE(testing::NearColor(r.At(105, 305), {0, 0, 0}));
  EXPECT_TRUE(testing::NearColor(r.At(150, 180), {0, 0, 0}));
  // The broken bars are white strokes inside the black box.
  int white = 0;
  for (int x = 100; x < 160; ++x) white += r.At(x, 150)[0] > 200;
  EXPECT_GT(white, 3);
}

TEST_P(RenderedTextTest, SecondBoxContinuesTheParagraphWithoutIndentingIt) {
  std::string rest;
  const Raster r = Draw([&](Pagora& d) {
    d.SetFont("Arial", 20, 1);
    // One line fits in 30 points: "HHH HHH HHH" after the indentation of 40.
    rest = d.DrawTextBox(50, 50, 200, 30, "HHH HHH HHH HHH HHH HHH", 40);
    EXPECT_EQ(d.DrawTextBox(300, 50, 200, 0, rest, 40), "");
  });
  EXPECT_EQ(rest, std::string("\0HHH HHH HHH", 12));
  // Both first lines have their baseline at 70 points.
  const auto first = InkColumns(r, 56, 69, 0, 280);
  const auto second = InkColumns(r, 56, 69, 280);
  EXPECT_NEAR(first.first, 91, 2);
  EXPECT_NEAR(second.first, 301, 2);
}

INSTANTIATE_TEST_SUITE_P(BothRenderers, RenderedTextTest,
                         ::testing::Values(Renderer::kPoppler, Renderer::kMupdf));

}  // namespace
}  // namespace pagora

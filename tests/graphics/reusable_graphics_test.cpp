// Patterns, form objects, templates, layers and tables in whole documents, checked byte by
// byte and by qpdf.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/form_objects.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::CaptureContent;
using testing::ReadFileBytes;

class ReusableGraphicsTest : public ::testing::Test {
 protected:
  // The whole file written by `draw` on one page, after qpdf found it clean.
  std::string Write(const std::function<void(Pagora&)>& draw) {
    const auto pdf = dir_ / "doc.pdf";
    testing::WriteOnePage(pdf, draw);
    EXPECT_TRUE(testing::QpdfChecksClean(pdf));
    return ReadFileBytes(pdf);
  }

  testing::TempDir dir_;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The objects as qpdf reads them (decrypted), as JSON on one line without indentation.
std::string QpdfJson(const std::filesystem::path& pdf) {
  const std::string pretty =
      testing::RunCommand("qpdf --json --json-key=qpdf " + testing::ShellQuote(pdf.string()))
          .output;
  std::string json;
  for (std::size_t i = 0; i < pretty.size(); ++i) {
    if (pretty[i] == '\n') {
      while (i + 1 < pretty.size() && pretty[i + 1] == ' ') ++i;
    } else if (pretty.compare(i, 3, "\": ") == 0) {
      json += "\":";
      i += 2;
    } else {
      json += pretty[i];
    }
  }
  return json;
}

// The stream data of the first object whose dictionary contains `key`.
std::string StreamAfter(const std::string& file, const std::string& key) {
  const std::size_t start = file.find("stream\n", file.find(key)) + 7;
  return file.substr(start, file.find("\nendstream", start) - start);
}

TEST_F(ReusableGraphicsTest, PatternNamesAreTrimmedUpperCasedAndWrittenAsNames) {
  const std::string file = Write([](Pagora& d) {
    d.AddGradient(" my sky ", 0, "red", "blue", 0, 0, 100, 0);
    d.SetColorFill("My Sky");
    d.BeginTiling("a/b", 0, 0, 10, 10, 10, 10, kTilingColoured);
    d.EndTiling();
    d.SetColorLine("A/B");
  });
  EXPECT_TRUE(Contains(file, "/Pattern <<\r/MY#20SKY 4 0 R \r/A#2FB 5 0 R \r>>"));
  EXPECT_TRUE(Contains(file, "\r/Pattern cs /MY#20SKY scn\r/Pattern CS /A#2FB SCN"));
}

TEST_F(ReusableGraphicsTest, UnbalancedEndsWriteNothing) {
  const std::string plain = Write([](Pagora& d) { d.DrawRect(1, 1, 5, 5); });
  const std::string unbalanced = Write([](Pagora& d) {
    d.EndTiling();
    d.EndObject();
    d.EndRow();
    d.EndColumn();
    d.EndTable();
    d.DrawRect(1, 1, 5, 5);
  });
  EXPECT_EQ(unbalanced, plain);
}

TEST_F(ReusableGraphicsTest, UncolouredStyleOneIgnoresColoursInsideTheCell) {
  for (const int style : {1, 2}) {
    const std::string file = Write([&](Pagora& d) {
      d.BeginTiling("dots", 0, 0, 4, 4, 8, 8, style);
      d.SetColorFill("Black");
      d.DrawRect(0, 0, 2, 2, 5);
      d.EndTiling();
      d.SetColorFill("black");  // after EndTiling colours are written again
    });
    const std::string cell = StreamAfter(file, "/PatternType 1");
    EXPECT_EQ(cell, style == 1 ? "1 0 0 -1 0 4 cm\r0 0 2 2 re\rf*"
                               : "1 0 0 -1 0 4 cm\r0 0 0 rg\r0 0 2 2 re\rf*")
        << style;
    EXPECT_TRUE(Contains(file, "/PaintType 2\r")) << style;
    EXPECT_EQ(StreamAfter(file, "/Type /Page "),
              "1 0 0 -1 0 842 cm \r\r0 0 0 rg\r0 0 0 RG\r0 0 0 rg")
        << style;
  }
}

TEST_F(ReusableGraphicsTest, FormObjectKeepsItsCaseAndTakesContentInsideAPage) {
  const std::string file = Write([](Pagora& d) {
    d.BeginObject("Logo A");
    d.BeginObject("ignored");  // one at a time
    d.DrawRect(0, 0, 3, 3);
    d.EndObject();
    d.PlayObject("Logo A");
  });
  EXPECT_TRUE(Contains(file, "/Name /Logo#20A\r/BBox [-1192 -1684 1192 1684]"));
  EXPECT_EQ(StreamAfter(file, "/Subtype /Form"), "\r0 0 3 3 re\rS");
  EXPECT_TRUE(Contains(file, "/XObject <<\r/Logo#20A 4 0 R \r\r>>"));
  EXPECT_TRUE(Contains(file, "0 0 0 RG\rq /Logo#20A Do Q\n"));
  EXPECT_FALSE(Contains(file, "ignored"));
}

TEST_F(ReusableGraphicsTest, LayersShareIndicesByNameAndListTheirStates) {
  const auto pdf = dir_ / "layers.pdf";
  std::string content;
  testing::WriteOnePage(pdf, [&](Pagora& d) {
    d.BeginLayer("Print", false, true);
    d.EndLayer();
    d.BeginLayer("PRINT", true, false);  // the same layer; its first settings stay
    d.BeginLayer("SCREEN", false, false);
    d.BeginLayer("PRINTER", true, true);
  });
  ASSERT_TRUE(testing::PassesAllReaders(pdf));
  const std::string file = ReadFileBytes(pdf);
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.5");
  EXPECT_TRUE(Contains(file,
                       "\r/OC /_LAY_1 BDC\rEMC\r/OC /_LAY_1 BDC\r/OC /_LAY_2 BDC\r/OC "
                       "/_LAY_3 BDC\n"));
  EXPECT_TRUE(Contains(file, "/Properties <</_LAY_1 6 0 R /_LAY_2 7 0 R /_LAY_3 8 0 R >>"));
  EXPECT_TRUE(Contains(file, "6 0 obj\n<</Type /OCG /Name (Print)\n>>\nendobj"));
  EXPECT_TRUE(Contains(file,
                       "\n/OCProperties <</OCGs [6 0 R 7 0 R 8 0 R ] /D <</AS [ <</Event /Print "
                       "/OCGs [8 0 R 7 0 R ] /Category [/Print]>> <</Event /View /OCGs [8 0 R 7 "
                       "0 R ] /Category [/View]>> ]\n/ON [7 0 R ] \n/OFF [6 0 R 8 0 R ] \n"
                       "/Order [(\\(senza titolo\\)) 6 0 R 8 0 R ]>>  >>\n"));

  const std::string json = QpdfJson(pdf);
  for (const char* part : {
           "\"obj:7 0 R\":{\"value\":{\"/Name\":\"u:SCREEN\",\"/Type\":\"/OCG\",\"/Usage\":{"
           "\"/Print\":{\"/PrintState\":\"/OFF\"},\"/View\":{\"/ViewState\":\"/ON\"}}}}",
           "\"/Usage\":{\"/Print\":{\"/PrintState\":\"/ON\"},\"/View\":{\"/ViewState\":\"/OFF\"}}",
           "{\"/Category\":[\"/Print\"],\"/Event\":\"/Print\",\"/OCGs\":[\"8 0 R\",\"7 0 R\"]}",
           "\"/OFF\":[\"6 0 R\",\"8 0 R\"],\"/ON\":[\"7 0 R\"],"
           "\"/Order\":[\"u:(senza titolo)\",\"6 0 R\",\"8 0 R\"]},"
           "\"/OCGs\":[\"6 0 R\",\"7 0 R\",\"8 0 R\"]}",
       }) {
    EXPECT_TRUE(Contains(json, part)) << part << "\n" << json;
  }
}

TEST_F(ReusableGraphicsTest, LayerOrderTitleIsEncryptedForTheCatalog) {
  const auto pdf = dir_ / "protected.pdf";
  Pagora d(testing::FixedTestTime);
  d.SetProtection(kAllowPrint, "owner", "");
  d.SetDocProperty("Piano (terra)", "", "", "", "", "");
  d.BeginDoc(pdf.string());
  d.BeginPage();
  d.BeginLayer("Quote", true, true);
  d.EndLayer();
  d.EndDoc();
  ASSERT_TRUE(testing::QpdfChecksClean(pdf));
  const std::string json = QpdfJson(pdf);
  EXPECT_TRUE(Contains(json, "\"/Order\":[\"u:Piano (terra)\",")) << json;
  EXPECT_TRUE(Contains(json, "\"/Name\":\"u:Quote\""));
}

TEST(Spaces, IdentityWritesOnlyTheSave) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.BeginSpace(0, 0, 1, 1, 0);
              d.EndSpace();
              d.BeginSpace(0, 0, 1, 1, 90);
              d.SetScale(kUnitMillimetre);
              d.BeginSpace(10, 0, 2, 1, 0);
            }),
            "\rq\rQ\rq\r0 -1 1 0 0 0 cm\rq\r2 0 0 1 28.346 0 cm");
}

TEST(Tables, ThreeCellsOfARowStartWhereTheirLeftNeighboursEnd) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetLineWidth(2);
              d.BeginTable(5, 7);
              d.BeginRow(4);
              for (const float width : {10.f, 20.f, 30.f}) {
                d.BeginColumn(width);
                d.EndColumn();
              }
              d.EndRow();
              d.SetLineWidth(0);
              d.SetColorFill("");
              d.BeginColumn(6);
              d.BeginRow(3);  // a cell of the column, below the row
              d.EndRow();
              d.EndColumn();
              d.EndTable();
            }),
            "\r2 w\rq"
            "\rq\r1 0 0 1 5 7 cm\r1 1 8 2 re f*\r0 0 10 4 re S\rQ"
            "\rq\r1 0 0 1 15 7 cm\r1 1 18 2 re f*\r0 0 20 4 re S\rQ"
            "\rq\r1 0 0 1 35 7 cm\r1 1 28 2 re f*\r0 0 30 4 re S\rQ"
            "\r0 0 0 RG\r0 0 0 rg\r2 w"  // the row's end restores the state
            "\r0 w"
            "\rq\r1 0 0 1 5 11 cm\r0 0 6 3 re f*\rQ"
            "\r0 0 0 RG\r0 0 0 rg\r0 w"
            "\rQ\r0 0 0 RG\r0 0 0 rg\r2 w");
}

TEST(Tables, RowEndMovesThePositionDownAndRestoresTheFontInWinAnsi) {
  const std::string content = CaptureContent([](Pagora& d) {
    d.SetScale(kUnitMillimetre);
    d.SetFont("Arial", 12, kFontBold, 1);
    d.BeginTable(10, 20);
    d.BeginRow(5);
    d.SetFont("Courier", 8);
    d.SetXY(100, 100);
    d.EndRow();
    EXPECT_FLOAT_EQ(d.GetX(), 10);
    EXPECT_NEAR(d.GetY(), 25, 1e-4);
    d.EndTable();
    d.DrawText(0, 0, "x");
  });
  EXPECT_TRUE(Contains(content, "/Arial,Bold 12 Tf")) << content;
  EXPECT_FALSE(Contains(content, "MAC")) << content;
}

TEST(Tables, DeeperNestingIsRefusedBeforeAnythingIsWritten) {
  const std::function<void(Pagora&)> refusals[] = {
      [](Pagora& d) { d.BeginRow(5); },     // a row inside a row
      [](Pagora& d) { d.BeginColumn(5); },  // inside a cell
      [](Pagora& d) { d.BeginTable(0, 0); },
      [](Pagora& d) { d.EndRow(); },  // its cell is still open
  };
  for (const auto& refusal : refusals) {
    const auto table = [](Pagora& d) {
      d.BeginTable(0, 0);
      d.BeginRow(10);
      d.BeginColumn(10);
    };
    const std::string expected = CaptureContent(table);
    EXPECT_EQ(CaptureContent([&](Pagora& d) {
                table(d);
                try {
                  refusal(d);
                  ADD_FAILURE() << "not refused";
                } catch (const RuntimeError& e) {
                  EXPECT_EQ(e.number(), kInvalidCall);
                }
              }),
              expected);
  }
  EXPECT_THROW(CaptureContent([](Pagora& d) {
                 d.BeginColumn(3);
                 d.BeginColumn(3);  // a column inside a column
               }),
               RuntimeError);
}

TEST(Templates, AnnotationsRecordedWithAFormObjectJoinEveryPageItIsDrawnOn) {
  Document doc(testing::FixedTestTime());
  doc.content.page_open = true;
  RegisterAnnotation(doc, 7);
  doc.content.form_object_open = true;
  doc.graphics.reusable.form_objects.push_back({"T", kTemplateEveryPage, {}, false});
  RegisterAnnotation(doc, 8);
  RegisterAnnotation(doc, 9);
  EXPECT_EQ(doc.page.annotations, "7 0 R ");
  doc.page.count = 2;
  PlayTemplates(doc, false);  // still being recorded: not drawn
  EXPECT_EQ(doc.content.page.Text(), "");
  doc.content.form_object_open = false;
  doc.graphics.reusable.form_objects.back().written = true;
  PlayTemplates(doc, false);
  PlayTemplates(doc, true);
  EXPECT_EQ(doc.content.page.Text(), "\rq /T Do Q");
  EXPECT_EQ(doc.page.annotations, "7 0 R 8 0 R 9 0 R ");
}

}  // namespace
}  // namespace pagora

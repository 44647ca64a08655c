// Outlines, named destinations, notes and links read back by independent readers: qpdf's
// JSON walked by tests/support/navigation_walk.py, mutool, pdfinfo and renders.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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

// Five pages with an outline of levels 0 (counted as 1), 1, 2, 2, 1, 5 (counted as 2),
// -1, -1, every kind of link, destinations, a note box and a note icon.
// Returns the LastArea of every link written, as the /Rect numbers.
std::vector<std::string> WriteSample(const std::filesystem::path& path, bool protect) {
  std::vector<std::string> areas;
  Pagora doc(testing::FixedTestTime);
  const auto link = [&](const std::string& target, int border = 0, int highlight = 1, int type = 0,
                        float y = 0) {
    const Area& a = doc.LastArea();
    char text[80];
    std::snprintf(text, sizeof text, "%g %g %g %g", a.left, a.top, a.right, a.bottom);
    areas.push_back(text);
    doc.LinkTo(target, border, highlight, type, 0, y);
  };
  if (protect) doc.SetProtection(4, "proprietario", "");
  doc.SetViewerPreferences(kPageModeOutlines);
  doc.SetDocProperty("Relazione", "", "Ufficio tecnico", "", "", "");
  doc.BeginDoc(path.string());

  doc.BeginPage();  // 1
  EXPECT_EQ(doc.AddBookmark("Uno", 0), "@2");
  EXPECT_EQ(doc.AddBookmark("Due", 1, kDestinationXyz, 0, 100, 0, 0, 150, "red", kFontBold), "@3");
  doc.SetColorFill("#336699");
  doc.DrawRect(50, 50, 100, 20, kPathFill);
  link("page:#last", 1, kHighlightOutline);
  doc.DrawRect(50, 100, 100, 20, kPathFill);
  link("page:+1", 0, kHighlightNone, kDestinationFitWidth, 10);
  // Targets that name nothing write nothing.
  for (const char* nowhere : {"page:#nowhere", "page:0", "bookmark:intro", "bookmark:@99",
                              "www.example.org", "HTTP://example.org"}) {
    doc.LinkTo(nowhere);
  }

  doc.BeginPage();  // 2
  doc.AddBookmark("Due.a", 2);
  doc.AddBookmark("Due.b", 2, kDestinationFitPage, 0, 0, 0, 0, 0, "", kFontItalic);
  doc.DefineRef("intro", kDestinationXyz, 20, 100, 0, 0, 100);
  doc.SetXY(0, 200);
  doc.DefineRef("qui", kDestinationFitWidth);
  doc.DrawRect(50, 50, 200, 30, kPathFill);
  link("ref:intro");
  doc.DrawRect(50, 100, 200, 30, kPathFill);
  link("http://example.org/bando?anno=2026");
  link("mailto:ufficio@example.org");
  link("https://example.org/albo");
  doc.DrawRect(50, 150, 200, 30, kPathFill);
  link("file:allegato.pdf");
  link("script:app.alert('ciao');");
  link("layer:ON(Quote)OFF(Arredi)");

  doc.BeginPage();  // 3
  doc.AddBookmark("Tre", 1, kDestinationFitWidth, 0, 300);
  doc.AddBookmark("Tre.a", 5);
  doc.AddBookmark("Tre.a.i", -1);
  doc.AddBookmark("Tre.a.i.x", -1);
  EXPECT_EQ(doc.AddBookmark("Troppo", 255), "@10");  // as deep as the item before plus one
  doc.DrawRect(50, 50, 100, 20, kPathFill);
  link("bookmark:@6");
  doc.SetFont("Helvetica", 20);
  doc.SetColorLine("blue");
  doc.SetColorFill("yellow");
  doc.SetLineWidth(2);
  doc.AddNoteBox("AVVISO", 100, 300, 300, 80, 4, kBorderDashed, 3, 2);
  doc.AddNoteIcon("Da verificare", kIconComment, 100, 500, true);

  doc.BeginPage();  // 4
  doc.BeginPage();  // 5
  doc.EndDoc();
  return areas;
}

std::string Walk(const std::filesystem::path& pdf, const std::string& keys,
                 const std::string& mode) {
  const auto script =
      std::filesystem::path(PAGORA_TEST_DATA_DIR) / ".." / "support" / "navigation_walk.py";
  const auto run = RunCommand("qpdf --json=2 " + keys + " " + ShellQuote(pdf.string()) +
                              " | python3 " + ShellQuote(script.string()) + " " + mode);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  return run.output;
}

// Runs of blanks as one, so that column widths do not matter.
std::string Squeezed(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c != ' ' || result.empty() || result.back() != ' ') result += c;
  }
  return result;
}

class NavigationDocument : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    link_areas_ = WriteSample(pdf_, GetParam());
    ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  }
  testing::TempDir dir_;
  std::filesystem::path pdf_ = dir_ / "navigation.pdf";
  std::vector<std::string> link_areas_;
};

TEST_P(NavigationDocument, OutlineTreeAsReadersWalkIt) {
  // Levels 0, 1, 2, 2, 1, 5, -1, -1, 255 below the top item, which bears the title.
  EXPECT_EQ(Walk(pdf_, "--json-key=outlines", "outlines"),
            "0|Relazione|1\n"
            "1|Uno|1\n"
            "1|Due|1\n"
            "2|Due.a|2\n"
            "2|Due.b|2\n"
            "1|Tre|3\n"
            "2|Tre.a|3\n"
            "3|Tre.a.i|3\n"
            "4|Tre.a.i.x|3\n"
            "5|Troppo|3\n");
  // MuPDF: only the top item opens ("-"); closed items with children show "+".
  const auto mutool = RunCommand("mutool show " + ShellQuote(pdf_.string()) + " outline");
  EXPECT_EQ(mutool.exit_code, 0) << mutool.output;
  EXPECT_EQ(mutool.output,
            "-\t\"Relazione\"\t#page=1&view=FitB\n"
            "|\t\t\"Uno\"\t#page=1&view=FitB\n"
            "+\t\t\"Due\"\t#page=1&zoom=150,0,100\n"
            "|\t\t\t\"Due.a\"\t#page=2&view=FitB\n"
            "|\t\t\t\"Due.b\"\t#page=2&view=FitB\n"
            "+\t\t\"Tre\"\t#page=3&view=FitH,300\n"
            "+\t\t\t\"Tre.a\"\t#page=3&view=FitB\n"
            "+\t\t\t\t\"Tre.a.i\"\t#page=3&view=FitB\n"
            "+\t\t\t\t\t\"Tre.a.i.x\"\t#page=3&view=FitB\n"
            "|\t\t\t\t\t\t\"Troppo\"\t#page=3&view=FitB\n");
  const std::string file = ReadFileBytes(pdf_);
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.4");  // the colour and the styles
  EXPECT_NE(file.find("/PageMode /UseOutlines"), std::string::npos);
}

TEST_P(NavigationDocument, NamedDestinationsNameTheirPages) {
  const auto run = RunCommand("pdfinfo -dests " + ShellQuote(pdf_.string()));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  // "page:#last" on page 1 shows page 5; the current position gives "qui" 842 - 200.
  EXPECT_EQ(Squeezed(run.output),
            "Page Destination Name\n"
            " 2 [ FitH 832 ] \"_LINK_2\"\n"
            " 2 [ XYZ 20 742 1.00 ] \"_REF_intro\"\n"
            " 2 [ FitH 642 ] \"_REF_qui\"\n"
            " 3 [ FitH 542 ] \"_LINK_5\"\n"
            " 5 [ FitB ] \"_LINK_1\"\n");
}

TEST_P(NavigationDocument, LinksCoverTheLastAreaWithTheirActions) {
  // Each link's page, then what follows its /Rect: action, its value, /P names the page,
  // destination name.
  const std::vector<std::pair<int, std::string>> links = {
      {1, "|||True|/_LINK_1"},
      {1, "|||True|/_LINK_2"},
      {2, "|||True|/_REF_intro"},
      {2, "|/URI|http://example.org/bando?anno=2026|True|"},
      {2, "|/URI|mailto:ufficio@example.org|True|"},
      {2, "|/URI|https://example.org/albo|True|"},
      {2, "|/GoToR|allegato.pdf|True|"},
      {2, "|/JavaScript|app.alert('ciao');|True|"},
      {2,
       "|/JavaScript|var ocgArray = this.getOCGs();for (var i=0; i < ocgArray.length; i++) "
       "{\\rif (ocgArray[i].name == 'QUOTE') { ocgArray[i].state = true; };\\rif "
       "(ocgArray[i].name == 'ARREDI') { ocgArray[i].state = false; };\\r}|True|"},
      {3, "|||True|/_LINK_5"},
  };
  ASSERT_EQ(link_areas_.size(), links.size());
  std::string expected;
  for (std::size_t i = 0; i < links.size(); ++i) {
    expected +=
        std::to_string(links[i].first) + "|/Link|" + link_areas_[i] + links[i].second + "\n";
  }
  expected += "3|/FreeText|100 542 400 462|||True|\n3|/Text|100 342 100 342|||True|\n";
  EXPECT_EQ(Walk(pdf_, "--json-key=pages --json-key=qpdf --json-stream-data=inline", "annotations"),
            expected);
}

TEST_P(NavigationDocument, NoteBoxAndIconAreDrawn) {
  for (const auto renderer : {testing::Renderer::kMupdf, testing::Renderer::kPoppler}) {
    SCOPED_TRACE(renderer == testing::Renderer::kMupdf ? "mupdf" : "poppler");
    testing::Raster page;
    ASSERT_TRUE(testing::Render(pdf_, renderer, 3, 72, &page));
    // The box's yellow background and its centred text in the line colour, blue.
    EXPECT_TRUE(testing::NearColor(page.At(150, 360), {255, 255, 0}, 8));
    int blue = 0;
    int icon = 0;
    for (int y = 300; y < 340; ++y) {
      for (int x = 180; x < 320; ++x) {
        const testing::Rgb c = page.At(x, y);
        if (c[2] > 100 && c[0] < 100 && c[1] < 100) ++blue;
      }
    }
    for (int y = 490; y < 525; ++y) {
      for (int x = 90; x < 125; ++x) {
        if (page.At(x, y) != testing::Rgb{255, 255, 255}) ++icon;
      }
    }
    EXPECT_GT(blue, 40);
    EXPECT_GT(icon, 40);
  }
  // The note's texts, its font and colour; in the protected twin only after decryption.
  const auto plain = dir_ / "plain.pdf";
  ASSERT_EQ(
      RunCommand("qpdf --decrypt " + ShellQuote(pdf_.string()) + " " + ShellQuote(plain.string()))
          .exit_code,
      0);
  const std::string file = ReadFileBytes(plain);
  for (const char* entry : {"/Contents (AVVISO) /DA (/Arial 20 Tf 0 0 1 rg)", "/Q 1",
                            "/T (Ufficio tecnico)", "/Contents (Da verificare)", "/Open true"}) {
    EXPECT_NE(file.find(entry), std::string::npos) << entry;
  }
  EXPECT_EQ(ReadFileBytes(pdf_).find("AVVISO") == std::string::npos, GetParam());
}

TEST(NavigationState, AbortAloneStartsTheOutlineAgainAndDeepLevelsAreRefused) {
  testing::TempDir dir;
  Pagora doc(testing::FixedTestTime);
  EXPECT_EQ(doc.AddBookmark("a", 1), "@2");
  doc.BeginDoc((dir / "one.pdf").string());  // keeps what was recorded
  EXPECT_EQ(doc.AddBookmark("b", 1), "@3");
  doc.Abort();
  EXPECT_EQ(doc.AddBookmark("c", 1), "@2");
  for (int level = 2; level <= 254; ++level) ASSERT_FALSE(doc.AddBookmark("deeper", -1).empty());
  EXPECT_EQ(doc.AddBookmark("too deep", -1), "");
  EXPECT_EQ(doc.AddBookmark("too deep", 300), "");
  EXPECT_EQ(doc.AddBookmark("sibling", 0), "@256");
  EXPECT_THROW(doc.AddBookmark("pattern", 1, 0, 0, 0, 0, 0, 0, "STRIPES"), RuntimeError);
}

TEST(NavigationState, OnlyTheTopItemWritesNoOutline) {
  testing::TempDir dir;
  const auto pdf = dir / "plain.pdf";
  testing::WriteOnePage(pdf, [](Pagora& doc) { doc.SetViewerPreferences(kPageModeOutlines); });
  ASSERT_TRUE(testing::QpdfChecksClean(pdf));
  const std::string file = ReadFileBytes(pdf);
  EXPECT_EQ(file.find("/Outlines"), std::string::npos);
  EXPECT_EQ(file.find("/PageMode"), std::string::npos);
  EXPECT_EQ(file.find("/Dests"), std::string::npos);
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.3");
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, NavigationDocument, ::testing::Bool());

}  // namespace
}  // namespace pagora

// TrueType fonts in whole documents: the font objects as pdffonts and qpdf read them, the
// embedded file, text rendered by poppler and MuPDF where TextLength says, failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::InkColumns;
using testing::Raster;
using testing::Renderer;
using testing::RunCommand;
using testing::ShellQuote;

const fs::path kFontDir = fs::path(PAGORA_TEST_DATA_DIR) / "ttf";
constexpr const char* kMono = "DejaVuSansMono.ttf";
constexpr const char* kSerif = "LiberationSerif-BoldItalic.ttf";

// Windows-1252: "Quel vituperabile xenofobo zelante assaggia il whisky ed esclama: alleluja!
// Perché così? Più città, già però".
const std::string kPangram =
    "Quel vituperabile xenofobo zelante assaggia il whisky ed esclama: alleluja! "
    "Perch\xE9 cos\xEC? Pi\xF9 citt\xE0, gi\xE0 per\xF2";
const std::string kPangramUtf8 =
    "Quel vituperabile xenofobo zelante assaggia il whisky ed esclama: alleluja! "
    "Perch\u00E9 cos\u00EC? Pi\u00F9 citt\u00E0, gi\u00E0 per\u00F2";

std::string FontPath(const char* file) {
  return (kFontDir / file).string();
}

// The rows of pdffonts' table, without its two heading lines.
std::vector<std::string> PdffontsRows(const fs::path& pdf) {
  std::istringstream lines(RunCommand("pdffonts " + ShellQuote(pdf.string())).output);
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("name", 0) != 0 && line.rfind("---", 0) != 0 && !line.empty()) {
      rows.push_back(line);
    }
  }
  return rows;
}

// The decoded data of the stream object `object`, as qpdf gives it.
std::string StreamData(const fs::path& pdf, int object) {
  return RunCommand("qpdf --show-object=" + std::to_string(object) + " --filtered-stream-data " +
                    ShellQuote(pdf.string()))
      .output;
}

// The number of the object that the first "<key> n 0 R" of the file names, or 0.
int ReferencedObject(const std::string& file, const std::string& key) {
  const std::size_t at = file.find(key + " ");
  return at == std::string::npos ? 0 : std::atoi(file.c_str() + at + key.size() + 1);
}

// The entries of the shared resource dictionary's font list.
std::string FontResourceEntries(const std::string& file) {
  const std::size_t start = file.find("/Font <<");
  if (start == std::string::npos) return {};
  const std::size_t end = file.find(">>", start);
  return file.substr(start + 8, end - start - 8);
}

class TrueTypeDocumentTest : public ::testing::Test {
 protected:
  fs::path Write(const std::function<void(Pagora&)>& draw) {
    testing::WriteOnePage(pdf_, draw);
    return pdf_;
  }
  testing::TempDir dir_;
  fs::path pdf_ = dir_ / "truetype.pdf";
};

// Each loaded font is one TrueType font, embedded as asked, with the whole file as its
// font program, and its text is read back.
TEST_F(TrueTypeDocumentTest, FontsAreListedEmbeddedAsAskedAndTheirTextReadBack) {
  const struct {
    const char* file;
    const char* alias;
    bool embedded;
    int encoding;
    const char* base_font;
    const char* pdffonts_encoding;
  } cases[] = {
      {kMono, "", true, 0, "DejaVuSansMono ", "WinAnsi"},
      {kMono, "Mono Plain", false, 0, "DejaVuSansMono ", "WinAnsi"},
      {kSerif, "Serif", true, 0, "LiberationSerifBoldItalic,BoldItalic ", "WinAnsi"},
      {kSerif, "Serif", false, 1, "LiberationSerifBoldItalic,BoldItalic ", "MacRoman"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " alias '" + c.alias + "' embedded " +
                 std::to_string(c.embedded) + " encoding " + std::to_string(c.encoding));
    // Mac Roman codes of é ì ù à ò.
    std::string text = kPangram;
    if (c.encoding == 1) {
      for (char& ch : text) {
        if (ch == '\xE9') ch = '\x8E';
        if (ch == '\xEC') ch = '\x93';
        if (ch == '\xF9') ch = '\x9D';
        if (ch == '\xE0') ch = '\x88';
        if (ch == '\xF2') ch = '\x98';
      }
    }
    Write([&](Pagora& d) {
      d.AddFont(FontPath(c.file), c.alias, c.embedded, c.encoding);
      ASSERT_EQ(d.ErrNumber(), 0) << d.ErrDescription();
      const std::string alias = *c.alias ? c.alias : "dejavu sans mono";
      d.SetFont(alias, 8, 0, c.encoding);
      d.DrawText(20, 40, text);
    });
    EXPECT_TRUE(testing::QpdfChecksClean(pdf_));
    EXPECT_TRUE(testing::PdfinfoReads(pdf_));
    EXPECT_TRUE(testing::GhostscriptClean(pdf_));

    const std::vector<std::string> rows = PdffontsRows(pdf_);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].rfind(c.base_font, 0), 0u) << rows[0];
    EXPECT_NE(rows[0].find("TrueType "), std::string::npos) << rows[0];
    EXPECT_NE(rows[0].find(c.pdffonts_encoding), std::string::npos) << rows[0];
    EXPECT_NE(rows[0].find(c.embedded ? " yes " : " no "), std::string::npos) << rows[0];

    const std::string file = testing::ReadFileBytes(pdf_);
    const int program = ReferencedObject(file, "/FontFile2");
    if (c.embedded) {
      ASSERT_NE(program, 0);
      const std::string font = testing::ReadFileBytes(kFontDir / c.file);
      EXPECT_NE(file.find("/Length1 " + std::to_string(font.size())), std::string::npos);
      EXPECT_TRUE(StreamData(pdf_, program) == font) << "the font program is not the file";
    } else {
      EXPECT_EQ(program, 0);
    }
    const std::string extracted =
        RunCommand("pdftotext -enc UTF-8 " + ShellQuote(pdf_.string()) + " -").output;
    EXPECT_NE(extracted.find(kPangramUtf8), std::string::npos) << extracted;
  }
}

TEST_F(TrueTypeDocumentTest, MeasuresWithTheFontsWidthsAndWritesItOnce) {
  float length = 0;
  std::string rest;
  std::int32_t before = 0;
  std::int32_t after = 0;
  Write([&](Pagora& d) {
    d.AddFont(FontPath(kMono), "Mono");
    before = d.FileSize();
    d.SetFont(" mono ", 10);
    d.SetFont("MONO", 10, 1 | 2);  // style bits add no suffix to a TrueType font
    after = d.FileSize();
    length = d.TextLength("iiWW");
    // Every glyph advances 6.02 points: the first line holds nine of them, where Arial's
    // wide W and narrow i would break after "WWWW" and fit the three words.
    rest = d.DrawTextBox(20, 20, 6.02f * 9.5f, 12, "WWWW WWWW iiii");
  });
  EXPECT_EQ(before, after) << "SetFont wrote a further object";
  // Every glyph of the monospaced font advances 1233/2048 em: 602 thousandths.
  EXPECT_NEAR(length, 4 * 6.02f, 1e-4);
  EXPECT_NE(rest.find("iiii"), std::string::npos) << rest;
  EXPECT_EQ(rest.find('W'), std::string::npos) << rest;
  EXPECT_TRUE(testing::QpdfChecksClean(pdf_));
  EXPECT_EQ(PdffontsRows(pdf_).size(), 1u);
}

TEST_F(TrueTypeDocumentTest, FontLoadedUnderANameSetFontUsedTakesItOver) {
  float before = 0;
  float after = 0;
  Write([&](Pagora& d) {
    d.SetFont("Body Text", 20);  // unknown yet: Arial's widths
    before = d.TextLength("iiii");
    d.DrawText(20, 40, "iiii");
    d.AddFont(FontPath(kMono), "BodyText", true);
    d.AddFont(FontPath(kSerif), "Second");
    d.AddFont(FontPath(kSerif), "Second", true);  // loaded twice: the later one counts
    ASSERT_EQ(d.ErrNumber(), 0) << d.ErrDescription();
    d.SetFont("bodytext", 20);
    after = d.TextLength("iiii");
    d.DrawText(20, 80, "iiii");
    d.SetFont("Second", 20);
    d.DrawText(20, 120, "iiii");
  });
  EXPECT_NEAR(before, 4 * 20 * 0.222f, 1e-4);
  EXPECT_NEAR(after, 4 * 20 * 0.602f, 1e-4);
  EXPECT_TRUE(testing::PassesAllReaders(pdf_));
  const std::vector<std::string> rows = PdffontsRows(pdf_);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_NE(rows[0].find("Type 1 "), std::string::npos) << rows[0];
  EXPECT_EQ(rows[1].rfind("DejaVuSansMono ", 0), 0u) << rows[1];
  EXPECT_NE(rows[3].find(" yes "), std::string::npos) << "the later Second is embedded";
  // Four resources under four names, the earlier ones kept for the text drawn before.
  const std::string file = testing::ReadFileBytes(pdf_);
  const std::string entries = FontResourceEntries(file);
  for (const char* name : {"/BodyText ", "/BodyText#202 ", "/Second ", "/Second#204 "}) {
    EXPECT_NE(entries.find(name), std::string::npos) << name << " in " << entries;
  }
  EXPECT_NE(file.find("/BodyText 20 Tf"), std::string::npos);
  EXPECT_NE(file.find("/BodyText#202 20 Tf"), std::string::npos);
  EXPECT_NE(file.find("/Second#204 20 Tf"), std::string::npos);
}

fs::path DamagedCopy(const fs::path& dir, const std::string& name, std::size_t keep) {
  const std::string font = testing::ReadFileBytes(kFontDir / kMono);
  const fs::path path = dir / name;
  std::ofstream(path, std::ios::binary).write(font.data(), static_cast<std::streamsize>(keep));
  return path;
}

// A copy of Liberation Sans whose unitsPerEm is 16: widths above 65535 thousandths.
fs::path OverflowingCopy(const fs::path& dir) {
  std::string font = testing::ReadFileBytes(kFontDir / "LiberationSans-Regular.ttf");
  const auto u32 = [&](std::size_t at) {
    return static_cast<std::size_t>(static_cast<unsigned char>(font[at])) << 24 |
           static_cast<std::size_t>(static_cast<unsigned char>(font[at + 1])) << 16 |
           static_cast<std::size_t>(static_cast<unsigned char>(font[at + 2])) << 8 |
           static_cast<unsigned char>(font[at + 3]);
  };
  const std::size_t tables = static_cast<unsigned char>(font[5]);
  for (std::size_t i = 0; i < tables; ++i) {
    const std::size_t record = 12 + 16 * i;
    if (font.compare(record, 4, "head") == 0) {
      const std::size_t head = u32(record + 8);
      font[head + 18] = 0;
      font[head + 19] = 16;
    }
  }
  const fs::path path = dir / "overflow.ttf";
  std::ofstream(path, std::ios::binary) << font;
  return path;
}

TEST_F(TrueTypeDocumentTest, RefusedFontsAreRecordedAndWriteNothing) {
  const struct {
    std::string path;
    int number;
  } cases[] = {
      {(dir_ / "missing.ttf").string(), 53},
      {FontPath(kMono) + "/font.ttf", 76},
      {dir_.path().string(), 75},
      {DamagedCopy(dir_.path(), "directory.ttf", 200).string(), 321},
      {DamagedCopy(dir_.path(), "tables.ttf", 100000).string(), 321},
      {OverflowingCopy(dir_.path()).string(), 6},
  };
  Write([&](Pagora& d) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.path);
      const std::int32_t size = d.FileSize();
      d.AddFont(c.path, "Refused", true);
      EXPECT_EQ(d.ErrNumber(), c.number) << d.ErrDescription();
      EXPECT_EQ(d.ErrSource(), "Pagora.AddFont");
      EXPECT_NE(d.ErrDescription().find(" - " + c.path), std::string::npos) << d.ErrDescription();
      EXPECT_EQ(d.FileSize(), size);
    }
    d.SetFont("Refused", 12);  // nothing was registered: Arial's widths
    EXPECT_FLOAT_EQ(d.TextLength("i"), 12 * 0.222f);
  });
  EXPECT_TRUE(testing::QpdfChecksClean(pdf_));
  const std::vector<std::string> rows = PdffontsRows(pdf_);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_NE(rows[0].find("Type 1 "), std::string::npos) << rows[0];
}

// The font object cannot be written before the document has a file: nothing is registered.
TEST_F(TrueTypeDocumentTest, FontLoadedBeforeTheDocumentBeginsIsRefused) {
  Pagora d(testing::FixedTestTime);
  d.AddFont(FontPath(kMono), "Mono", true);
  EXPECT_EQ(d.ErrNumber(), 52);
  EXPECT_EQ(d.ErrSource(), "Pagora.AddFont");
  d.BeginDoc(pdf_.string());
  d.BeginPage();
  d.SetFont("Mono", 10);
  EXPECT_NEAR(d.TextLength("i"), 2.22f, 1e-4);
  d.DrawText(10, 10, "i");
  d.EndDoc();
  EXPECT_TRUE(testing::QpdfChecksClean(pdf_));
}

class RenderedTrueTypeTest : public ::testing::TestWithParam<Renderer> {};

// The pangram's last glyph ends on the same column as that glyph drawn alone and
// right-aligned where TextLength says the line ends, and so does a right-aligned text box;
// WriteText moves past the same length. Rendered at 144 dpi: two pixels a point.
TEST_P(RenderedTrueTypeTest, InkEndsWhereTextLengthSaysInEveryFont) {
  for (const char* file : {kMono, kSerif}) {
    SCOPED_TRACE(file);
    testing::TempDir dir;
    const fs::path pdf = dir / "rendered.pdf";
    float length = 0;
    float written_to = 0;
    testing::WriteOnePage(pdf, [&](Pagora& d) {
      d.AddFont(FontPath(file), "Face", true);
      d.SetFont("Face", 8);
      length = d.TextLength(kPangram);
      d.DrawText(10, 40, kPangram);
      d.DrawText(10 + length, 60, "\xF2", 2);
      d.DrawTextBox(10, 70, length, 0, "per\xF2", 0, 2);
      d.SetXY(10, 100);
      d.WriteText(kPangram);
      written_to = d.GetX();
    });
    EXPECT_TRUE(testing::QpdfChecksClean(pdf));
    Raster r;
    ASSERT_TRUE(testing::Render(pdf, GetParam(), 1, 144, &r));
    EXPECT_NEAR(written_to, 10 + length, 1e-3);
    EXPECT_GT(length, 350);  // a line of real glyphs, not of fallback widths
    const auto line = InkColumns(r, 2 * 32, 2 * 42);
    const auto alone = InkColumns(r, 2 * 52, 2 * 62);
    const auto box = InkColumns(r, 2 * 70, 2 * 82);
    EXPECT_NEAR(line.first, 2 * 10, 2);
    EXPECT_NEAR(line.second, alone.second, 1);
    EXPECT_NEAR(line.second, box.second, 1);
    EXPECT_LE(line.second, 2 * (10 + length) + 1);
    EXPECT_GT(line.second, 2 * (10 + length) - 6);
  }
}

INSTANTIATE_TEST_SUITE_P(BothRenderers, RenderedTrueTypeTest,
                         ::testing::Values(Renderer::kPoppler, Renderer::kMupdf));

}  // namespace
}  // namespace pagora

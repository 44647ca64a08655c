// Widths and TextLength checked against the Adobe AFM files read here independently.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "pdf/core/pagora.h"
#include "pdf/text/standard_font_metrics.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

struct AfmWidths {
  std::map<int, int> by_code;
  std::map<std::string, int> by_name;
};

// "C <code> ; WX <width> ; N <name> ;" lines of an AFM file.
AfmWidths ReadAfm(const std::string& face) {
  std::ifstream in(std::string(PAGORA_AFM_DIR) + "/" + face + ".afm", std::ios::binary);
  EXPECT_TRUE(in) << face;
  AfmWidths afm;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("C ", 0) != 0) continue;
    std::istringstream fields(line);
    std::string c, semicolon, wx, n, name;
    int code = 0, width = 0;
    fields >> c >> code >> semicolon >> wx >> width >> semicolon >> n >> name;
    afm.by_name[name] = width;
    if (code >= 0) afm.by_code[code] = width;
  }
  return afm;
}

std::map<int, std::string> ReadWinAnsi() {
  std::ifstream in(std::string(PAGORA_AFM_DIR) + "/winansi.txt");
  std::map<int, std::string> names;
  int code = 0;
  std::string name;
  while (in >> code >> name) {
    if (name != ".notdef") names[code] = name;
  }
  return names;
}

struct FaceCase {
  const char* family;
  int style;
  const char* afm;
  bool built_in_encoding;
};

constexpr FaceCase kFaces[] = {
    {"Arial", 0, "Helvetica", false},
    {"Helvetica", 1, "Helvetica-Bold", false},
    {"Arial", 2, "Helvetica-Oblique", false},
    {"arial", 3, "Helvetica-BoldOblique", false},
    {"Times New Roman", 0, "Times-Roman", false},
    {"Times", 1, "Times-Bold", false},
    {"TimesNewRoman", 2, "Times-Italic", false},
    {"times", 3, "Times-BoldItalic", false},
    {"Courier", 0, "Courier", false},
    {"CourierNew", 1, "Courier-Bold", false},
    {"Courier New", 2, "Courier-Oblique", false},
    {"COURIER", 3, "Courier-BoldOblique", false},
    {"Symbol", 0, "Symbol", true},
    {"Zapf Dingbats", 0, "ZapfDingbats", true},
};

// Every code of every font: TextLength of the one-byte text is the AFM width at size 1000
// (so the width itself), and a text of all 256 codes sums them.
TEST(FontMetrics, TextLengthOfEveryCodeMatchesTheAfmFiles) {
  const std::map<int, std::string> winansi = ReadWinAnsi();
  ASSERT_EQ(winansi.size(), 218u);
  testing::TempDir dir;
  Pagora doc;
  doc.BeginDoc((dir / "metrics.pdf").string());
  std::string every_code;
  for (int code = 0; code < 256; ++code) every_code += static_cast<char>(code);

  for (const FaceCase& face : kFaces) {
    const AfmWidths afm = ReadAfm(face.afm);
    doc.SetFont(face.family, 1000, face.style);
    const float filler = doc.TextLength(std::string(1, '\x01'));
    double sum = 0;
    for (int code = 0; code < 256; ++code) {
      const float length = doc.TextLength(std::string(1, static_cast<char>(code)));
      sum += length;
      int expected = -1;
      if (face.built_in_encoding) {
        if (code >= 32 && afm.by_code.count(code)) expected = afm.by_code.at(code);
      } else if (winansi.count(code)) {
        expected = afm.by_name.at(winansi.at(code));
      }
      if (expected >= 0) {
        EXPECT_EQ(length, static_cast<float>(expected)) << face.afm << " code " << code;
      } else {
        EXPECT_EQ(length, filler) << face.afm << " code " << code << " carries the filler";
      }
    }
    EXPECT_FLOAT_EQ(doc.TextLength(every_code), static_cast<float>(sum)) << face.afm;
  }
  doc.EndDoc();
}

TEST(FontMetrics, ChosenFillersAndCourier) {
  const struct {
    StandardFace face;
    int first_code;
    std::vector<int> widths;
  } samples[] = {
      // Fillers of codes without a glyph: 0, and the unassigned WinAnsi 127 and 129.
      {StandardFace::kHelveticaBold, 0, {311}}, {StandardFace::kHelvetica, 127, {311, 556, 311}},
      {StandardFace::kTimesRoman, 0, {350}},    {StandardFace::kZapfDingbats, 0, {600}},
      {StandardFace::kSymbol, 0, {460}},
  };
  for (const auto& sample : samples) {
    const auto& widths = StandardFaceWidths(sample.face);
    for (std::size_t i = 0; i < sample.widths.size(); ++i) {
      EXPECT_EQ(widths[sample.first_code + i], sample.widths[i])
          << static_cast<int>(sample.face) << " code " << sample.first_code + i;
    }
  }
  for (const StandardFace face :
       {StandardFace::kCourier, StandardFace::kCourierBold, StandardFace::kCourierOblique,
        StandardFace::kCourierBoldOblique}) {
    for (const std::uint16_t width : StandardFaceWidths(face)) EXPECT_EQ(width, 600);
  }
}

}  // namespace
}  // namespace pagora

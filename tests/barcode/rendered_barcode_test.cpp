// Whole documents of barcodes read back by a real scanner: each page rendered at 300 dpi
// by poppler and by MuPDF, every render decoded by zbarimg; POSTNET, which zbar does not
// read, by pixel probes; the human-readable lines by pdftotext.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::Raster;
using testing::Renderer;
using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

struct Symbol {
  int symbology;
  std::string text;
  bool check;
  float magnification;
  std::string expected;  // zbarimg's "TYPE:data"; Code 39 data as the bars carry it
};

// Standard data and check characters, worked out by hand from the symbologies' tables.
const std::vector<Symbol>& Symbols() {
  static const std::vector<Symbol> symbols = {
      {0, "400638133393", false, 1, "EAN-13:4006381333931"},
      {0, "5901234123450", false, 0.8f, "EAN-13:5901234123457"},  // 13th replaced
      {0, "978020137962", false, 2, "EAN-13:9780201379624"},
      {5, "9638507", false, 1, "EAN-8:96385074"},
      {5, "5512345", false, 1.5f, "EAN-8:55123457"},
      {1, "CODE 39", false, 1, "CODE-39:CODE 39"},
      {1, "CODE 39", true, 1, "CODE-39:CODE 39R"},
      {1, "a", true, 1.2f, "CODE-39:+A8"},
      {1, "x-Y.z", true, 1, "CODE-39:+X-Y.+Z%"},
      {1, "Hello, World! @*$%/+~", false, 1, "CODE-39:H+E+L+L+O/L W+O+R+L+D/A %V/J/D/E/O/K%S"},
      {2, "123", false, 1, "I2/5:0123"},
      {2, "123", true, 1, "I2/5:1236"},
      {2, "1234567890", false, 1, "I2/5:1234567890"},
      {2, "12345", true, 1, "I2/5:123457"},
      {2, "9876", true, 1.5f, "I2/5:098762"},
      {4, "12345678", false, 1, "CODE-128:12345678"},
      {4, "AB12", false, 1, "CODE-128:AB12"},
      {4, "A123456", false, 1, "CODE-128:A123456"},
      {4, "A12345", false, 1, "CODE-128:A12345"},
      {4, "1234AB", false, 1, "CODE-128:1234AB"},
      {4, "A1234567", false, 0.8f, "CODE-128:A1234567"},
      {4, "Hello World", false, 1, "CODE-128:Hello World"},
      {4, "lower case ~!@#$%^&*()_+", false, 2, "CODE-128:lower case ~!@#$%^&*()_+"},
  };
  return symbols;
}

// One symbol per row, text shown, rows far enough apart for the scanner to keep them apart.
void WriteSymbols(const fs::path& pdf, const std::vector<Symbol>& symbols, int unit) {
  testing::WriteOnePage(pdf, [&](Pagora& d) {
    d.SetScale(unit, 0);
    const float points = unit == kUnitMillimetre ? 72 / 25.4f : 1;
    float y = 30 / points;
    for (const Symbol& s : symbols) {
      const float row = (s.symbology == 0 ? 80 : s.symbology == 5 ? 64 : 30) * s.magnification;
      if ((y + row / points) * points > 800) {
        d.BeginPage();
        y = 30 / points;
      }
      float width = 0;
      d.DrawBarCode(s.symbology, s.text, 40 / points, y, true, s.magnification, 0, s.check, width);
      EXPECT_GT(width, 0) << s.text;
      EXPECT_EQ(d.ErrNumber(), 0) << s.text;
      y += (row + 30) / points;
    }
  });
}

// Renders every page gray at 300 dpi and decodes all the renders in one zbarimg run.
// MuPDF renders without anti-aliasing: with it, two abutting module rectangles that meet
// inside a pixel each cover it partly and leave a grey seam inside a wide bar, which
// zbar then splits; a printer's raster has no such seams.
std::vector<std::string> ScanRenders(const fs::path& pdf, const TempDir& dir, Renderer renderer) {
  const std::string prefix =
      (dir / (renderer == Renderer::kPoppler ? "poppler" : "mupdf")).string();
  const std::string render =
      renderer == Renderer::kPoppler
          ? "pdftoppm -r 300 -gray " + ShellQuote(pdf.string()) + " " + ShellQuote(prefix)
          : "mutool draw -q -A 0 -r 300 -c gray -o " + ShellQuote(prefix + "-%d.pgm") + " " +
                ShellQuote(pdf.string());
  const auto rendered = RunCommand(render);
  EXPECT_EQ(rendered.exit_code, 0) << rendered.output;
  const auto scanned =
      RunCommand("zbarimg --nodbus -q -Si25.min-length=2 " + ShellQuote(prefix) + "-*.pgm");
  std::vector<std::string> found;
  std::istringstream lines(scanned.output);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) found.push_back(line);
  }
  std::sort(found.begin(), found.end());
  return found;
}

class RenderedBarcode : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunCommand("command -v zbarimg").exit_code != 0) {
      GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    }
  }
  TempDir dir_;
};

TEST_F(RenderedBarcode, BothRenderersScanToTheStandardData) {
  for (const int unit : {kUnitPoint, kUnitMillimetre}) {
    const fs::path pdf = dir_ / ("symbols" + std::to_string(unit) + ".pdf");
    WriteSymbols(pdf, Symbols(), unit);
    ASSERT_TRUE(testing::QpdfChecksClean(pdf));
    std::vector<std::string> expected;
    for (const Symbol& s : Symbols()) expected.push_back(s.expected);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ScanRenders(pdf, dir_, Renderer::kPoppler), expected) << "unit " << unit;
    EXPECT_EQ(ScanRenders(pdf, dir_, Renderer::kMupdf), expected) << "unit " << unit;
  }
}

TEST_F(RenderedBarcode, TextLinesAreText) {
  const fs::path pdf = dir_ / "text.pdf";
  WriteSymbols(pdf, Symbols(), kUnitPoint);
  const auto text = RunCommand("pdftotext " + ShellQuote(pdf.string()) + " -");
  ASSERT_EQ(text.exit_code, 0) << text.output;
  for (const char* line :
       {"4", "006381", "333931", "780201", "379624", "9638", "5074", "CODE 39", "x-Y.z",
        "Hello, World! @*$%/+~", "1234567890", "9876", "A1234567", "lower case ~!@#$%^&*()_+"}) {
    EXPECT_NE(text.output.find(line), std::string::npos) << line << " in\n" << text.output;
  }
}

// POSTNET 12345-6789: a frame bar, nine digits, check 5, a frame bar; full bars 9 points
// high, half bars 3.6 on the same bottom line, 1.44 wide at a 3.6 pitch.
TEST_F(RenderedBarcode, PostnetBarsByPixel) {
  const std::string bars =
      "1"
      "00011"
      "00101"
      "00110"
      "01001"
      "01010"
      "01100"
      "10001"
      "10010"
      "10100"
      "01010"
      "1";
  const float x = 40, y = 50;
  const fs::path pdf = dir_ / "postnet.pdf";
  float width = 0;
  testing::WriteOnePage(
      pdf, [&](Pagora& d) { d.DrawBarCode(3, "12345-6789", x, y, false, 1, 0, false, width); });
  ASSERT_TRUE(testing::QpdfChecksClean(pdf));
  EXPECT_NEAR(width, 5 * 1.44f + bars.size() * 3.6f + 5 * 1.44f, 1e-3);
  for (const Renderer renderer : {Renderer::kPoppler, Renderer::kMupdf}) {
    Raster raster;
    ASSERT_TRUE(testing::Render(pdf, renderer, 1, 300, &raster));
    const auto dark = [&](float px, float py) {
      return raster.At(static_cast<int>(px * 300 / 72), static_cast<int>(py * 300 / 72))[0] < 100;
    };
    for (std::size_t i = 0; i < bars.size(); ++i) {
      const float centre = x + 5 * 1.44f + i * 3.6f + 0.72f;
      EXPECT_EQ(dark(centre, y + 1), bars[i] == '1') << "bar " << i;
      EXPECT_TRUE(dark(centre, y + 8)) << "bar " << i;      // every bar reaches the bottom
      EXPECT_FALSE(dark(centre, y + 9.6f)) << "bar " << i;  // and stops there
      EXPECT_FALSE(dark(centre + 1.8f, y + 8)) << "gap " << i;
    }
    EXPECT_FALSE(dark(x + 5 * 1.44f + bars.size() * 3.6f + 0.72f, y + 8));  // nothing past
  }
}

}  // namespace
}  // namespace pagora

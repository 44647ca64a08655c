// Gradients, tiling patterns, form objects, templates, layers and tables rendered by
// poppler and MuPDF, probed pixel by pixel.
#include <gtest/gtest.h>

#include <functional>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::NearColor;
using testing::Raster;
using testing::Renderer;
using testing::Rgb;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kBlue{0, 0, 255};

// Renders at 72 dpi, so that one pixel is one point from the page's top-left corner.
class RenderedPatternsTest : public ::testing::TestWithParam<Renderer> {
 protected:
  // Writes the document `draw` makes (it begins its own pages), checks it and renders
  // `page`.
  Raster Draw(const std::function<void(Pagora&)>& draw, int page = 1) {
    const auto pdf = dir_ / "patterns.pdf";
    Pagora doc(testing::FixedTestTime);
    doc.BeginDoc(pdf.string());
    draw(doc);
    doc.EndDoc();
    EXPECT_TRUE(testing::QpdfChecksClean(pdf));
    EXPECT_TRUE(testing::GhostscriptClean(pdf));
    Raster raster;
    EXPECT_TRUE(testing::Render(pdf, GetParam(), page, 72, &raster));
    return raster;
  }

  testing::TempDir dir_;
};

TEST_P(RenderedPatternsTest, AxialGradientRunsBetweenItsEndsInsideTheMargins) {
  const Raster r = Draw([](Pagora& d) {
    d.SetMargins(50, 0, 30, 0);
    d.BeginPage();
    d.AddGradient("ramp", 0, "@255;0;0", "@0;0;255", 100, 0, 300, 0, 0, 0, false, false);
    d.SetColorFill("Ramp");
    d.DrawRect(100, 100, 200, 50, 5);
  });
  // User (x, y) is page pixel (x + 50, y + 30).
  EXPECT_TRUE(NearColor(r.At(151, 155), kRed, 6));
  EXPECT_TRUE(NearColor(r.At(250, 155), Rgb{128, 0, 128}, 6));
  EXPECT_TRUE(NearColor(r.At(349, 155), kBlue, 6));
  EXPECT_TRUE(NearColor(r.At(250, 125), kWhite));
}

TEST_P(RenderedPatternsTest, RadialGradientFromCentreToEdge) {
  const Raster r = Draw([](Pagora& d) {
    d.BeginPage();
    d.AddGradient("disc", kGradientRadial, "white", "black", 300, 300, 300, 300, 0, 100, false,
                  true);
    d.SetColorFill("disc");
    d.DrawRect(150, 150, 300, 300, 5);
  });
  EXPECT_TRUE(NearColor(r.At(300, 300), kWhite, 6));
  EXPECT_TRUE(NearColor(r.At(350, 300), Rgb{128, 128, 128}, 8));
  EXPECT_TRUE(NearColor(r.At(300, 398), kBlack, 8));
  EXPECT_TRUE(NearColor(r.At(440, 440), kBlack));  // extended beyond the edge
}

TEST_P(RenderedPatternsTest, ColouredTilingRepeatsItsCell) {
  const Raster r = Draw([](Pagora& d) {
    d.BeginPage();
    d.BeginTiling("checks", 0, 0, 20, 20, 40, 40, kTilingColoured);
    d.SetColorFill("@255;0;0");
    d.DrawRect(0, 0, 20, 20, 5);
    d.EndTiling();
    d.SetColorFill("checks");
    d.DrawRect(0, 0, 400, 400, 5);
  });
  // Cells start at the page's bottom-left corner: red where the default-space y is
  // 600..620 and 560..580, that is pixel rows 222..242 and 262..282.
  EXPECT_TRUE(NearColor(r.At(10, 232), kRed));
  EXPECT_TRUE(NearColor(r.At(50, 232), kRed));  // the next cell to the right
  EXPECT_TRUE(NearColor(r.At(10, 272), kRed));  // the next cell below
  EXPECT_TRUE(NearColor(r.At(30, 232), kWhite));
  EXPECT_TRUE(NearColor(r.At(10, 252), kWhite));
  EXPECT_TRUE(NearColor(r.At(10, 450), kWhite));  // outside the painted square
}

TEST_P(RenderedPatternsTest, UncolouredTilingTakesTheColourGivenWithIt) {
  const Raster r = Draw([](Pagora& d) {
    d.BeginPage();
    d.BeginTiling("dots", 0, 0, 10, 10, 20, 20, kTilingUncoloured);
    d.SetColorFill("green");  // ignored inside an uncoloured cell
    d.DrawRect(0, 0, 10, 10, 5);
    d.EndTiling();
    d.SetColorFill("dots;#FF0000");
    d.DrawRect(0, 0, 200, 100, 5);
    d.SetColorFill("Dots; blue");
    d.DrawRect(0, 200, 200, 100, 5);
  });
  // Cells at default-space x 0..10 and y 822..832 (pixel rows 10..20), and y 622..632
  // (rows 210..220).
  EXPECT_TRUE(NearColor(r.At(5, 15), kRed));
  EXPECT_TRUE(NearColor(r.At(25, 15), kRed));
  EXPECT_TRUE(NearColor(r.At(15, 15), kWhite));
  EXPECT_TRUE(NearColor(r.At(5, 215), kBlue));
  EXPECT_TRUE(NearColor(r.At(25, 215), kBlue));
}

TEST_P(RenderedPatternsTest, FormObjectPlacedThreeTimes) {
  const Raster r = Draw([](Pagora& d) {
    d.BeginPage();
    d.BeginObject("Tile");
    d.SetColorFill("green");
    d.DrawRect(0, 0, 30, 20, 5);
    d.EndObject();
    for (const float x : {100.f, 200.f, 300.f}) {
      d.BeginSpace(x, 2 * x, 1, 1, 0);
      d.PlayObject("Tile");
      d.EndSpace();
    }
  });
  for (const int x : {100, 200, 300}) {
    EXPECT_TRUE(NearColor(r.At(x + 15, 2 * x + 10), kGreen)) << x;
    EXPECT_TRUE(NearColor(r.At(x + 15, 2 * x + 30), kWhite)) << x;
  }
  EXPECT_TRUE(NearColor(r.At(15, 10), kWhite));
}

TEST_P(RenderedPatternsTest, GradientInsideAFormObjectMovesWithIt) {
  const Raster r = Draw([](Pagora& d) {
    d.SetMargins(50, 0, 30, 0);
    d.BeginPage();
    d.BeginObject("Band");
    d.AddGradient("inner", 0, "@255;0;0", "@0;0;255", 0, 0, 100, 0, 0, 0, false, false);
    d.SetColorFill("inner");
    d.DrawRect(0, 0, 100, 20, 5);
    d.EndObject();
    d.BeginSpace(100, 100, 1, 1, 0);
    d.PlayObject("Band");
    d.EndSpace();
  });
  // The form's origin is user (100, 100), page pixel (150, 130).
  EXPECT_TRUE(NearColor(r.At(151, 140), kRed, 6));
  EXPECT_TRUE(NearColor(r.At(249, 140), kBlue, 6));
  EXPECT_TRUE(NearColor(r.At(200, 155), kWhite));
}

TEST_P(RenderedPatternsTest, TemplatesUnderAndOverThePagesTheySelect) {
  const auto document = [](Pagora& d) {
    d.BeginObject("OddPages", kTemplateOddPages);
    d.SetColorFill("@0;0;255");
    d.DrawRect(50, 50, 40, 40, 5);
    d.EndObject();
    d.BeginObject("AfterFirst", kTemplateEveryPage | kTemplateNotFirstPage | kTemplateOverContent);
    d.SetColorFill("green");
    d.DrawRect(200, 50, 40, 40, 5);
    d.EndObject();
    for (int page = 1; page <= 4; ++page) {
      d.BeginPage();
      d.SetColorFill("@255;0;0");
      d.DrawRect(0, 60, 300, 10, 5);  // a bar across both templates
    }
  };
  for (int page = 1; page <= 4; ++page) {
    const Raster r = Draw(document, page);
    const bool odd = page % 2 == 1;
    EXPECT_TRUE(NearColor(r.At(70, 80), odd ? kBlue : kWhite)) << page;
    EXPECT_TRUE(NearColor(r.At(70, 65), kRed)) << page;  // the content covers the template
    EXPECT_TRUE(NearColor(r.At(220, 80), page > 1 ? kGreen : kWhite)) << page;
    EXPECT_TRUE(NearColor(r.At(220, 65), page > 1 ? kGreen : kRed)) << page;
  }
}

TEST_P(RenderedPatternsTest, HiddenLayersAndTheScreenLayer) {
  const Raster r = Draw([](Pagora& d) {
    d.BeginPage();
    d.SetColorFill("@255;0;0");
    d.BeginLayer("Hidden", false, true);
    d.DrawRect(50, 50, 50, 50, 5);
    d.EndLayer();
    d.BeginLayer("SCREEN", false, true);
    d.DrawRect(150, 50, 50, 50, 5);
    d.EndLayer();
    d.BeginLayer("PRINTER", true, true);
    d.DrawRect(250, 50, 50, 50, 5);
    d.EndLayer();
    d.BeginLayer("Shown", true, false);
    d.DrawRect(350, 50, 50, 50, 5);
    d.EndLayer();
  });
  EXPECT_TRUE(NearColor(r.At(75, 75), kWhite));
  EXPECT_TRUE(NearColor(r.At(175, 75), kRed));
  EXPECT_TRUE(NearColor(r.At(275, 75), kWhite));
  EXPECT_TRUE(NearColor(r.At(375, 75), kRed));
}

TEST_P(RenderedPatternsTest, TableCellsWithBackgroundsAndBorders) {
  const Rgb colours[] = {kRed, kGreen, kBlue, Rgb{255, 255, 0}};
  const char* names[] = {"@255;0;0", "green", "blue", "yellow"};
  const Raster r = Draw([&](Pagora& d) {
    d.BeginPage();
    d.SetLineWidth(2);
    d.BeginTable(100, 100);
    for (int row = 0; row < 3; ++row) {
      d.BeginRow(30);
      for (const char* name : names) {
        d.SetColorFill(name);
        d.BeginColumn(50);
        d.EndColumn();
      }
      d.EndRow();
    }
    d.EndTable();
  });
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      const int left = 100 + 50 * column;
      const int top = 100 + 30 * row;
      EXPECT_TRUE(NearColor(r.At(left + 25, top + 15), colours[column])) << row << column;
      EXPECT_TRUE(NearColor(r.At(left + 25, top), kBlack)) << row << column;  // top border
      EXPECT_TRUE(NearColor(r.At(left, top + 15), kBlack)) << row << column;  // left border
    }
  }
  EXPECT_TRUE(NearColor(r.At(300, 190), kBlack));  // bottom-right corner
  EXPECT_TRUE(NearColor(r.At(305, 150), kWhite));
  EXPECT_TRUE(NearColor(r.At(200, 195), kWhite));
}

INSTANTIATE_TEST_SUITE_P(BothRenderers, RenderedPatternsTest,
                         ::testing::Values(Renderer::kPoppler, Renderer::kMupdf));

}  // namespace
}  // namespace pagora

// Shapes rendered by poppler and MuPDF, probed pixel by pixel.
#include <gtest/gtest.h>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"
#include "tests/support/rendered_page.h"

namespace pagora {
namespace {

using testing::NearColor;
using testing::Raster;
using testing::Renderer;
using testing::Rgb;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{247, 18, 13};
constexpr Rgb kBlack{0, 0, 0};

using RenderedShapesTest = testing::RenderedPageTest;

TEST_P(RenderedShapesTest, FilledAndStrokedRectangles) {
  const Raster r = Draw([](Pagora& d) {
    d.SetColorFill("red");
    d.DrawRect(100, 100, 100, 50, 5);
    d.SetColorLine("@0;0;255");
    d.SetLineWidth(6);
    d.DrawRect(300, 100, 100, 50, 0);
  });
  EXPECT_TRUE(NearColor(r.At(150, 125), kRed));
  EXPECT_TRUE(NearColor(r.At(99 - 3, 125), kWhite));
  EXPECT_TRUE(NearColor(r.At(300, 125), Rgb{0, 0, 255}));  // on the stroke
  EXPECT_TRUE(NearColor(r.At(350, 125), kWhite));          // inside, unfilled
}

TEST_P(RenderedShapesTest, RoundedCornerLeavesItsCornerWhite) {
  const Raster r = Draw([](Pagora& d) {
    d.SetColorFill("black");
    d.DrawRect(100, 100, 200, 100, 5, 40, 15);
  });
  EXPECT_TRUE(NearColor(r.At(102, 102), kWhite));  // the corner is cut
  EXPECT_TRUE(NearColor(r.At(200, 102), kBlack));  // middle of the top edge
  EXPECT_TRUE(NearColor(r.At(102, 150), kBlack));  // middle of the left edge
  EXPECT_TRUE(NearColor(r.At(297, 197), kWhite));
}

TEST_P(RenderedShapesTest, CircleArcPolygonAndPolyline) {
  const Raster r = Draw([](Pagora& d) {
    d.SetColorFill("black");
    d.DrawCircle(150, 150, 40, 5);
    d.DrawArc(400, 150, 50, 0, 90, 1, true, 5, 5);  // the quarter below-right of the centre
    d.DrawPolygon(150, 400, 40, 4, 5);
    d.DrawPolyline({300, 350, 400, 350, 400, 450}, 7);  // a closed triangle, filled
  });
  EXPECT_TRUE(NearColor(r.At(150, 150), kBlack));
  EXPECT_TRUE(NearColor(r.At(150, 105), kWhite));
  EXPECT_TRUE(NearColor(r.At(180, 180), kWhite));  // outside the circle, inside its box
  EXPECT_TRUE(NearColor(r.At(420, 170), kBlack));
  EXPECT_TRUE(NearColor(r.At(380, 130), kWhite));
  EXPECT_TRUE(NearColor(r.At(150, 400), kBlack));
  EXPECT_TRUE(NearColor(r.At(182, 432), kWhite));  // a square standing on its corner
  EXPECT_TRUE(NearColor(r.At(390, 380), kBlack));
  EXPECT_TRUE(NearColor(r.At(320, 430), kWhite));
}

TEST_P(RenderedShapesTest, HalfAlphaRedBlendsWithWhite) {
  const Raster r = Draw([](Pagora& d) {
    d.SetAlpha(50);
    d.SetColorFill("red");
    d.DrawRect(100, 100, 100, 100, 5);
  });
  EXPECT_TRUE(NearColor(r.At(150, 150), Rgb{251, 137, 134}, 3));
}

TEST_P(RenderedShapesTest, DashesAndTransformations) {
  const Raster r = Draw([](Pagora& d) {
    d.SetLineWidth(4);
    d.SetDash("10;10", 0);
    d.DrawLine(100, 100, 300, 100, 0);
    d.SetDash("solid", 0);
    d.SetColorFill("black");
    // A 100 × 20 bar turned by 90° about (400, 300): in the page's y-down space the matrix
    // takes the bar's length upward, so it stands above that point, to the right.
    d.AxisTranslation(400, 300);
    d.AxisRotation(90);
    d.DrawRect(0, 0, 100, 20, 5);
  });
  EXPECT_TRUE(NearColor(r.At(105, 100), kBlack));  // first dash
  EXPECT_TRUE(NearColor(r.At(115, 100), kWhite));  // first gap
  EXPECT_TRUE(NearColor(r.At(410, 250), kBlack));
  EXPECT_TRUE(NearColor(r.At(450, 310), kWhite));  // where it would be unrotated
  EXPECT_TRUE(NearColor(r.At(390, 350), kWhite));
}

INSTANTIATE_TEST_SUITE_P(BothRenderers, RenderedShapesTest,
                         ::testing::Values(Renderer::kPoppler, Renderer::kMupdf));

}  // namespace
}  // namespace pagora

// Operator lines written by the colour, line-style, transparency and axis operations.
#include <gtest/gtest.h>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::CaptureContent;

TEST(GraphicsState, ColourOperationsWriteOperandsOrPatternSelections) {
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.SetColorFill("rEd"); }), "\r0.969 0.071 0.051 rg");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.SetColorLine("#FF8000"); }), "\r1 0.502 0 RG");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.SetColorFill("grad1;BLUE"); }),
            "\r/xxCSxx cs 0 0 1 /GRAD1 scn");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.SetColorLine("hatch"); }), "\r/Pattern CS /HATCH SCN");
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetColorText("blue");  // recorded only
              d.SetColorFill("");      // nothing
            }),
            "");
}

TEST(GraphicsState, DashesCapsJoinsAndWidths) {
  const struct {
    void (*draw)(Pagora&);
    const char* lines;
  } cases[] = {
      {[](Pagora& d) { d.SetDash("solid", 3); }, "\r[ ] 0 d"},
      {[](Pagora& d) { d.SetDash("", 3); }, "\r[ ] 0 d"},
      {[](Pagora& d) { d.SetDash("dash", 0); }, "\r[0.1  ] 0 d"},
      {[](Pagora& d) { d.SetDash("DashDot", 2); }, "\r[0.1 0.05 0.05 0.05  ] 2 d"},
      {[](Pagora& d) { d.SetDash("3;1.5;x", 1); }, "\r[ 3 1.5 0 ] 1 d"},
      {[](Pagora& d) {
         d.SetScale(2);
         d.SetDash("10;5", 0);
       },
       "\r[ 28.346 14.173 ] 0 d"},
      {[](Pagora& d) { d.SetLineStyle(0x22, 0.5f); }, "\r 1 J\r 1 j"},
      {[](Pagora& d) { d.SetLineStyle(0x44, 4); }, "\r 2 J\r 2 j\r4 M"},
      {[](Pagora& d) { d.SetLineStyle(0x77, 0); }, "\r 2 J\r 2 j"},  // no cap or join 3
      {[](Pagora& d) { d.SetLineWidth(-1); }, ""},
      {[](Pagora& d) {
         d.SetScale(2);
         d.SetLineWidth(0.5f);
       },
       "\r1.417 w"},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptureContent(c.draw), c.lines);
}

TEST(GraphicsState, AxisTransformations) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.AxisRotation(360);
              d.AxisRotation(0.4f);
              d.AxisRotation(-720);
            }),
            "");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.AxisRotation(90); }), "\r0 -1 1 0 0 0 cm");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.AxisRotation(30); }), "\r0.866 -0.5 0.5 0.866 0 0 cm");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.AxisScaling(2, 0.5f); }), "\r2 0 0 0.5 0 0 cm");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.AxisSkewing(45, 0); }), "\r1 1 0 1 0 0 cm");
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetScale(2);
              d.SetXY(5, 5);
              d.AxisTranslation(10, -1);
              EXPECT_EQ(d.GetX(), 0.0f);
            }),
            "\r1 0 0 1 28.346 -2.835 cm");
  EXPECT_THROW(CaptureContent([](Pagora& d) { d.AxisSkewing(0, -90); }), RuntimeError);
}

TEST(GraphicsState, EachAlphaIsANewStateInTheSharedResources) {
  testing::TempDir dir;
  const auto pdf = dir / "alpha.pdf";
  testing::WriteOnePage(pdf, [](Pagora& d) {
    d.SetAlpha(150);
    d.SetAlpha(-5);
    d.SetAlpha(50);
  });
  const std::string file = testing::ReadFileBytes(pdf);
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.4");
  EXPECT_NE(file.find("<</Type /ExtGState /ca 1 /CA 1 /BM /Normal >>"), std::string::npos);
  EXPECT_NE(file.find("<</Type /ExtGState /ca 0 /CA 0 /BM /Normal >>"), std::string::npos);
  EXPECT_NE(file.find("<</Type /ExtGState /ca 0.5 /CA 0.5 /BM /Normal >>"), std::string::npos);
  EXPECT_NE(file.find("/GSTATE_1 gs\r/GSTATE_2 gs\r/GSTATE_3 gs"), std::string::npos);
  EXPECT_NE(file.find("/ExtGState << /GSTATE_1 4 0 R /GSTATE_2 5 0 R /GSTATE_3 6 0 R  >> "),
            std::string::npos);
  EXPECT_TRUE(testing::PassesAllReaders(pdf));
}

}  // namespace
}  // namespace pagora

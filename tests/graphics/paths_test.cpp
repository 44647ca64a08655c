// Exact path operators.
#include <gtest/gtest.h>

#include "pdf/core/pagora.h"
#include "pdf/graphics/path_style.h"
#include "tests/support/document_capture.h"

namespace pagora {
namespace {

using testing::CaptureContent;

TEST(PaintPath, EveryStyleCode) {
  const char* expected[] = {"S", "", "h S", "h", "B*", "f*", "b*", "f*"};
  for (int style = 0; style < 8; ++style) EXPECT_EQ(PaintPath(style), expected[style]);
  EXPECT_EQ(PaintPath(0x85), "W f*");
  EXPECT_EQ(PaintPath(0x81), "W ");
  EXPECT_EQ(PaintPath(0x104), "B*");  // only the low byte counts
}

TEST(Paths, LinesRectanglesAndCurves) {
  const struct {
    void (*draw)(Pagora&);
    const char* lines;
  } cases[] = {
      {[](Pagora& d) { d.DrawLine(1, 2, 3, 4, 0); }, "\r1 2 m 3 4 l\rS"},
      {[](Pagora& d) {
         d.MoveTo(0, 0);
         d.DrawLineTo(5, 0, 1);
         d.DrawLineTo(5, 5, 2);
       },
       "\r0 0 m\r5 0 l\r\r5 5 l\rh S"},
      {[](Pagora& d) { d.DrawRect(0, 0, 2836, 3690, 4, 0, 15); }, "\r0 0 2836 3690 re\rB*"},
      {[](Pagora& d) { d.DrawRect(1, 1, 10, 4, 0, 2, 0); },
       "\r1 1 m\r11 1 l\r11 5 l\r1 5 l\r1 1 l\rS"},
      {[](Pagora& d) { d.DrawRect(0, 0, 10, 4, 5, 5, 2); },  // radius limited to 2
       "\r0 0 m\r8 0 l\r9.1 0 10 0.9 10 2 c\r10 4 l\r0 4 l\r0 0 l\rf*"},
      {[](Pagora& d) { d.DrawCircle(10, 10, 5, 0); },
       "\r15 10 m\r15 7.239 12.761 5 10 5 c\r7.239 5 5 7.239 5 10 c"
       "\r5 12.761 7.239 15 10 15 c\r12.761 15 15 12.761 15 10 c\rS"},
      {[](Pagora& d) { d.DrawArc(0, 0, 10, 0, 90, 1, false, 30, 0); },
       "\r0 0 m\r10 0 m\r10 0 l\r8.66 5 l\r5 8.66 l\r0 10 l\rS"},
      {[](Pagora& d) { d.DrawArc(0, 0, 10, 0, 60, 0.5f, false, 30, 5); },
       "\r0 0 m\r10 0 l\r8.66 2.5 l\r5 4.33 l\r0 0 l\rf*"},
      {[](Pagora& d) { d.DrawCurve(1, 1, 2, 3, 4, 5, 6, 1); }, "\r1 2 3 4 5 6 c\r"},
      {[](Pagora& d) { d.DrawCurve(2, 1, 2, 3, 4, 5, 6, 0); }, "\r1 2 3 4 v\rS"},
      {[](Pagora& d) { d.DrawCurve(3, 1, 2, 3, 4, 5, 6, 0); }, "\r1 2 3 4 y\rS"},
      {[](Pagora& d) { d.DrawCurve(4, 1, 2, 3, 4, 5, 6, 0); }, "\rS"},
      {[](Pagora& d) { d.DrawPolygon(10, 10, 5, 4, 0); },
       "\r15 10 m\r10 15 l\r5 10 l\r10 5 l\rh S"},
      {[](Pagora& d) { d.DrawPolygon(10, 10, -5, -4, 4); },
       "\r5 10 m\r10 5 l\r15 10 l\r10 15 l\rb*"},
      {[](Pagora& d) {
         d.DrawPolyline({1, 2, 3, 4, 5, 6}, 0);
       },
       "\r1 2 m\r3 4 l\r5 6 l\r\rS"},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptureContent(c.draw), c.lines);
}

TEST(Paths, PositionAndLastArea) {
  CaptureContent([](Pagora& d) {
    d.DrawRect(10, 20, 30, 40, 0);
    EXPECT_EQ(d.GetX(), 10.0f);
    EXPECT_EQ(d.GetY(), 20.0f);
    EXPECT_EQ(d.LastArea().left, 10.0f);
    EXPECT_EQ(d.LastArea().top, 822.0f);
    EXPECT_EQ(d.LastArea().right, 40.0f);
    EXPECT_EQ(d.LastArea().bottom, 782.0f);
    d.DrawCircle(100, 100, 10, 0);
    EXPECT_EQ(d.GetX(), 100.0f);
    EXPECT_EQ(d.LastArea().left, 90.0f);
    EXPECT_EQ(d.LastArea().bottom, 732.0f);
    d.DrawPolyline({1, 2, 3, 4}, 2);
    EXPECT_EQ(d.GetX(), 1.0f);  // closed: back at the first point
    d.DrawPolyline({1, 2, 3, 4}, 0);
    EXPECT_EQ(d.GetX(), 3.0f);
    d.DrawCurve(2, 1, 2, 7, 8, 0, 0, 0);
    EXPECT_EQ(d.GetY(), 8.0f);
  });
}

TEST(Paths, RefusedArgumentsWriteNothing) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              EXPECT_THROW(d.DrawArc(0, 0, 10, 0, 90, 1, false, 0, 0), RuntimeError);
              EXPECT_THROW(d.DrawPolygon(0, 0, 10, 0, 0), RuntimeError);
              EXPECT_THROW(d.DrawPolyline({1, 2, 3}, 0), RuntimeError);
              EXPECT_THROW(d.DrawPolyline({}, 0), RuntimeError);
            }),
            "");
  EXPECT_EQ(CaptureContent([](Pagora& d) { d.DrawArc(0, 0, 10, 0, 90, 1, false, -30, 0); }),
            "\r0 0 m\rS");  // a step away from the end draws no segment
}

}  // namespace
}  // namespace pagora

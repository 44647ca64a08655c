// Exact operator lines of single-line text, its alignment, decorations and state.
#include <gtest/gtest.h>

#include <string>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"

namespace pagora {
namespace {

using testing::CaptureContent;

// The lines of one text object in black, as the emitter writes them.
std::string TextObject(const std::string& font_line, const std::string& matrix,
                       const std::string& show) {
  return "\r0 0 0 rg\rBT\r" + font_line + "\r1 0 0 -1 " + matrix + " Tm\r" + show +
         "\rET\r0 0 0 rg";
}

TEST(TextDrawing, AlignmentMovesTheStartOfTheLine) {
  const struct {
    int align;
    const char* matrix;
  } cases[] = {{1, "100 50"}, {0, "100 50"}, {2, "86.66 50"}, {4, "93.33 50"}, {8 | 2, "86.66 50"}};
  for (const auto& c : cases) {
    EXPECT_EQ(CaptureContent([&](Pagora& d) {
                d.SetFont("Arial", 10);
                d.DrawText(100, 50, "AB", c.align);
              }),
              TextObject("/Arial 10 Tf 10 TL", c.matrix, "(AB) Tj"))
        << c.align;
  }
}

TEST(TextDrawing, StringsAreEscapedAndUnitsScaleTheMatrix) {
  EXPECT_EQ(
      CaptureContent([](Pagora& d) {
        d.SetScale(2);
        d.SetFont("Times", 12.5f, 1);
        d.DrawText(10, 20, "a(b)\\c\r");
      }),
      TextObject("/TimesNewRoman,Bold 12.5 Tf 12.5 TL", "28.346 56.693", "(a\\(b\\)\\\\c\\r) Tj"));
}

TEST(TextDrawing, TextColourIsSwappedInAndTheFillColourRestored) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetFont("Arial", 10);
              d.SetColorFill("BLUE");
              d.SetColorText("RED");
              d.DrawText(0, 10, "x");
            }),
            "\r0 0 1 rg\r0.969 0.071 0.051 rg\rBT\r/Arial 10 Tf 10 TL\r1 0 0 -1 0 10 Tm\r(x) Tj"
            "\rET\r0 0 1 rg");
}

TEST(TextDrawing, DecorationsAreLinesUnderTheTextColourInStyleOrder) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetFont("Courier", 10, 4 | 16);
              d.SetColorLine("BLUE");
              d.DrawText(10, 20, "ab");
            }),
            "\r0 0 1 RG" + TextObject("/CourierNew 10 Tf 10 TL", "10 20", "(ab) Tj") +
                "\rq\r0 0 0 RG\r0.625 w 1 0 0 1 10 20 cm\r0 1.25 m 12 1.25 l S"
                "\r0 -3 m 12 -3 l S\r0 0 1 RG\rQ");
  EXPECT_NE(CaptureContent([](Pagora& d) {
              d.SetFont("Courier", 10, 8);
              d.DrawText(0, 20, "ab");
            }).find("\r0 -8 m 12 -8 l S\r"),
            std::string::npos);
}

TEST(TextDrawing, TextStateSetters) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetScale(2);
              d.SetCharSpacing(1.5f);
              d.SetWordSpacing(2);
              d.SetTextHorizontalScaling(80);
              d.SetTextMode(2);
              d.SetTextLineSpacing(-1);
            }),
            "\r1.5 Tc\r2 Tw\r80 Tz\r2 Tr");
  EXPECT_THROW(CaptureContent([](Pagora& d) { d.SetTextMode(40000); }), RuntimeError);
}

TEST(TextDrawing, MeasuresFollowTheTextStateAndResetOnEveryPage) {
  CaptureContent([](Pagora& d) {
    d.SetFont("Arial", 10);
    EXPECT_FLOAT_EQ(d.TextLength("AB"), 13.34f);
    d.SetCharSpacing(1);
    EXPECT_FLOAT_EQ(d.TextLength("AB"), 15.34f);
    d.SetWordSpacing(2);
    d.SetTextHorizontalScaling(50);
    EXPECT_FLOAT_EQ(d.TextLength("A B"), (16.12f + 2 + 3) / 2);
    d.SetTextLineSpacing(2);
    d.BeginPage();
    EXPECT_FLOAT_EQ(d.TextLength("AB"), 13.34f);
    d.SetScale(1);
    EXPECT_FLOAT_EQ(d.TextLength("AB"), 13.34f / 72);
    EXPECT_FLOAT_EQ(d.TextHeight(), 12.21f / 72);
  });
}

TEST(TextDrawing, CurrentPositionAfterWriteTextAndWriteTextLn) {
  const std::string content = CaptureContent([](Pagora& d) {
    d.SetFont("Arial", 10);
    d.SetXY(5, 20);
    d.WriteText("AB");
    EXPECT_FLOAT_EQ(d.GetX(), 18.34f);
    EXPECT_FLOAT_EQ(d.GetY(), 20);
    d.WriteText("C", 7, 50);  // an unknown style draws as normal text
    d.WriteTextLn("D");
    EXPECT_EQ(d.GetX(), 0);
    EXPECT_FLOAT_EQ(d.GetY(), 32.21f);
    d.WriteTextLn("   ");
    EXPECT_EQ(d.GetX(), 0);
    EXPECT_FLOAT_EQ(d.GetY(), 32.21f);
    d.SetTextLineSpacing(2);
    d.SetTextLineSpacing(-1);  // ignored
    d.WriteTextLn("E");
    EXPECT_FLOAT_EQ(d.GetY(), 32.21f + 2 * 12.21f);
  });
  EXPECT_NE(content.find("1 0 0 -1 18.34 20 Tm\r(C) Tj"), std::string::npos);
  EXPECT_NE(content.find("1 0 0 -1 25.56 20 Tm\r(D) Tj"), std::string::npos);
  EXPECT_EQ(content.find("(   )"), std::string::npos);
}

TEST(TextDrawing, SuperscriptSubscriptAndSmallText) {
  // Size 10 at 50 %: the new size is 5, the old line height 12.21, Arial's descent -221.
  const struct {
    int style;
    const char* matrix;
  } cases[] = {{1, "0 95 Tm"}, {3, "0 100 Tm"}, {2, "0 103.315 Tm"}};
  for (const auto& c : cases) {
    const std::string content = CaptureContent([&](Pagora& d) {
      d.SetFont("Arial", 10);
      d.SetXY(0, 100);
      d.WriteText("x", c.style, 50);
      EXPECT_FLOAT_EQ(d.GetY(), 100);
      EXPECT_FLOAT_EQ(d.TextLength("A"), 6.67f);
    });
    EXPECT_NE(content.find("/Arial 5 Tf 5 TL\r1 0 0 -1 " + std::string(c.matrix)),
              std::string::npos)
        << content;
  }
}

TEST(TextDrawing, LastAreaCoversTheLineFromItsDescent) {
  CaptureContent([](Pagora& d) {
    d.SetFont("Arial", 10);
    d.DrawText(100, 50, "AB", 2);
    const Area area = d.LastArea();
    EXPECT_FLOAT_EQ(area.left, 86.66f);
    EXPECT_FLOAT_EQ(area.right, 100);
    EXPECT_FLOAT_EQ(area.top, 842 - 50 - 2.21f);
    EXPECT_FLOAT_EQ(area.bottom, 842 - 50 - 2.21f + 12.21f);
  });
}

}  // namespace
}  // namespace pagora

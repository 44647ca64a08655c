// Text boxes drawn through the document: box, placement, justification, squeezing, rest.
// Courier 10 makes every byte 6 points wide and a line 11.33 points high, descent 3.
#include <gtest/gtest.h>

#include <string>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"

namespace pagora {
namespace {

using testing::CaptureContent;

std::string Courier(const std::string& matrix, const std::string& show) {
  return "\r0 0 0 rg\rBT\r/CourierNew 10 Tf 10 TL\r1 0 0 -1 " + matrix + " Tm\r" + show +
         "\rET\r0 0 0 rg";
}

TEST(TextBox, JustifiedLinesFillTheWidthExceptTheLastOfEachParagraph) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetFont("Courier", 10);
              EXPECT_EQ(d.DrawTextBox(0, 0, 50, 0, "aaa  bbb ccc\r\nd e", 0, 64), "");
            }),
            Courier("0 8.33", "8 Tw (aaa bbb) Tj 0 Tw") + Courier("0 19.66", "(ccc) Tj") +
                Courier("0 30.99", "(d e) Tj"));
}

TEST(TextBox, OneWordJustifiedLineHasNoWordSpacing) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetFont("Courier", 10);
              d.DrawTextBox(0, 0, 20, 0, "aaaaaa bbb", 0, 64);
            }),
            Courier("0 8.33", "(aaaaaa) Tj") + Courier("0 19.66", "(bbb) Tj"));
}

TEST(TextBox, ShrinkSqueezesLongLinesOnlyAndFitStretchesShortOnes) {
  const struct {
    int align;
    const char* text;
    const char* show;
  } cases[] = {
      {128, "aaa bbb", "71.429 Tz (aaa bbb) Tj 100 Tz"},
      {128, "aaa", "(aaa) Tj"},
      {256, "aaa bbb", "71.429 Tz (aaa bbb) Tj 100 Tz"},
      {256, "aaaa", "125 Tz (aaaa) Tj  100 Tz"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CaptureContent([&](Pagora& d) {
                d.SetFont("Courier", 10);
                d.DrawTextBox(0, 0, 30, 0, c.text, 0, c.align);
                EXPECT_FLOAT_EQ(d.TextLength("a"), 6);
              }),
              Courier("0 8.33", c.show))
        << c.align << " " << c.text;
  }
}

TEST(TextBox, BoxIsPaintedUnderTheTextUnlessStyleIsOne) {
  const std::string text = Courier("10 28.33", "(a) Tj");
  const struct {
    int options;
    std::string content;
  } cases[] = {{1, text}, {0, "\r10 20 100 50 re\rS" + text}, {4, "\r10 20 100 50 re\rB*" + text}};
  for (const auto& c : cases) {
    EXPECT_EQ(CaptureContent([&](Pagora& d) {
                d.SetFont("Courier", 10);
                d.DrawTextBox(10, 20, 100, 50, "a", 0, 1, c.options);
              }),
              c.content)
        << c.options;
  }
}

TEST(TextBox, VerticalPlacementAndPositionAfterwards) {
  // Two lines in a box 60 high at y 20: top, middle (33) and bottom (17).
  const struct {
    int align;
    const char* first;
    const char* second;
  } cases[] = {{1, "0 28.33", "0 39.66"}, {33, "0 47", "0 58.33"}, {17, "0 65.67", "0 77"}};
  for (const auto& c : cases) {
    EXPECT_EQ(CaptureContent([&](Pagora& d) {
                d.SetFont("Courier", 10);
                EXPECT_EQ(d.DrawTextBox(0, 20, 30, 60, "aaa bbb", 0, c.align), "");
                EXPECT_FLOAT_EQ(d.GetY(), 20 + 2 * 11.33f);
                EXPECT_EQ(d.GetX(), 0);
                EXPECT_FLOAT_EQ(d.LastArea().top, 842 - 20);
                EXPECT_FLOAT_EQ(d.LastArea().bottom, 842 - 20 - 2 * 11.33f);
              }),
              Courier(c.first, "(aaa) Tj") + Courier(c.second, "(bbb) Tj"))
        << c.align;
  }
}

TEST(TextBox, OverflowReturnsTheRestAndTheNextBoxContinuesWithoutIndenting) {
  std::string rest;
  const std::string content = CaptureContent([&](Pagora& d) {
    d.SetFont("Courier", 10);
    rest = d.DrawTextBox(0, 0, 42, 20, "aaa bbb ccc ddd\r\neee", 6);
    EXPECT_EQ(d.DrawTextBox(0, 100, 42, 0, rest, 6), "");
  });
  EXPECT_EQ(rest, std::string("\0bbb ccc ddd\r\neee", 17));
  EXPECT_EQ(content, Courier("6 8.33", "(aaa) Tj") + Courier("0 108.33", "(bbb ccc) Tj") +
                         Courier("0 119.66", "(ddd) Tj") + Courier("6 130.99", "(eee) Tj"));
}

TEST(TextBox, EmptyLinesTakeTheirHeightAndDrawNothing) {
  EXPECT_EQ(CaptureContent([](Pagora& d) {
              d.SetFont("Courier", 10);
              d.DrawTextBox(0, 0, 100, 0, "a\r\n\r\nb");
              EXPECT_FLOAT_EQ(d.GetY(), 3 * 11.33f);
            }),
            Courier("0 8.33", "(a) Tj") + Courier("0 30.99", "(b) Tj"));
}

}  // namespace
}  // namespace pagora

namespace pagora {
namespace {

// The billboard's own calls: captions in white Arial bold 50 in boxes 5 mm high without a
// frame, values in black Arial bold 46 on white filled and stroked boxes.
TEST(TextBox, BillboardCaptionAndValueBoxes) {
  std::string caption_rest;
  const std::string content = CaptureContent([&](Pagora& d) {
    d.SetScale(2);
    d.SetColorText("WHITE");
    d.SetFont("Arial", 50, 1, 0);
    caption_rest = d.DrawTextBox(52, 100, 400, 5, " Progettista", 0, 1, 1);
    d.SetFont("Arial", 51, 1, 0);
    d.SetColorText("BLACK");
    d.SetFont("Arial", 46, 1, 0);
    d.SetColorFill("WHITE");
    d.SetColorLine("WHITE");
    EXPECT_EQ(d.DrawTextBox(531, 120, 439.05f, 25.63f, " Ing. Rossi", 0, 1, 4), "");
  });
  EXPECT_EQ(caption_rest, "");
  // Caption: line height 1221 × 50 / 1000 = 61.05 pt, descent 11.05 pt, so the baseline
  // is 100 mm + 50 pt; the box is lower than a line and still holds one. Value: 120 mm
  // + 46 pt; the box is 439.05 × 25.63 mm.
  EXPECT_EQ(content,
            "\r1 1 1 rg\rBT\r/Arial,Bold 50 Tf 50 TL\r1 0 0 -1 147.402 333.465 Tm"
            "\r( Progettista) Tj\rET\r0 0 0 rg"
            "\r1 1 1 rg\r1 1 1 RG"
            "\r1505.197 340.157 1244.551 72.652 re\rB*"
            "\r0 0 0 rg\rBT\r/Arial,Bold 46 Tf 46 TL\r1 0 0 -1 1505.197 386.157 Tm"
            "\r( Ing. Rossi) Tj\rET\r1 1 1 rg");
}

}  // namespace
}  // namespace pagora

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

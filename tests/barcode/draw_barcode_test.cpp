// DrawBarCode on a page: the exact bar lines, the text line inside a saved drawing state,
// and what is recorded when a symbol cannot be drawn.
#include <gtest/gtest.h>

#include <string>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"

namespace pagora {
namespace {

using testing::CaptureContent;

int Count(const std::string& text, const std::string& needle) {
  int count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

TEST(DrawBarCode, EveryBarIsOneFilledRectangleInTheFillColour) {
  float width = -1;
  // Interleaved 2 of 5 "12": start bars, the pair (1 "wnnnw" in the bars, 2 "nwnnw" in the
  // spaces), stop bars (wide, narrow); quiet zones of 5 modules.
  const std::string content =
      CaptureContent([&](Pagora& d) { d.DrawBarCode(2, "12", 10, 20, false, 1, 0, false, width); });
  EXPECT_EQ(content,
            "\r13.6 20 0.72 14.4 re f*\r15.04 20 0.72 14.4 re f*"
            "\r16.48 20 2.16 14.4 re f*\r19.36 20 0.72 14.4 re f*\r22.24 20 0.72 14.4 re f*"
            "\r23.68 20 0.72 14.4 re f*\r25.12 20 2.16 14.4 re f*"
            "\r29.44 20 2.16 14.4 re f*\r32.32 20 0.72 14.4 re f*");
  EXPECT_FLOAT_EQ(width, 38 * 0.72f);
}

TEST(DrawBarCode, SizesAreUserUnitsAndLinesArePoints) {
  float width = 0;
  const std::string content = CaptureContent([&](Pagora& d) {
    d.SetScale(kUnitMillimetre, 0);
    d.DrawBarCode(4, "AB12", 10, 20, false, 1, 0, false, width);
  });
  // Start B is 11010010000: its first bar at 10 mm + 10 modules.
  EXPECT_EQ(content.substr(0, content.find(" re f*", 1)), "\r35.546 56.693 0.72 14.4");
  // All in set B (Start B, A, B, 1, 2, check) at 11 modules each, the 13-module stop,
  // quiet zones of 10 and 9 modules.
  EXPECT_NEAR(width, (6 * 11 + 13 + 19) * 0.72f / 2.8346457f, 1e-4);
  EXPECT_EQ(Count(content, " re f*"), Count(content, " 0.72 14.4 re f*"));  // never merged
  EXPECT_EQ(Count(content, "rg"), 0);
}

TEST(DrawBarCode, TextLineInCourierAndTheCallersStateComesBack) {
  float width = 0;
  float length_before = 0;
  float length_after = 0;
  const std::string content = CaptureContent([&](Pagora& d) {
    d.SetFont("Arial", 12, 1);
    d.SetColorFill("#FF0000");
    length_before = d.TextLength("MMM");
    d.MoveTo(7, 9);
    d.DrawBarCode(1, "AB", 10, 20, true, 2, 0, false, width);
    length_after = d.TextLength("MMM");
    EXPECT_EQ(d.GetX(), 7.0f);
    EXPECT_EQ(d.GetY(), 9.0f);
    d.DrawText(0, 100, "after");
  });
  EXPECT_EQ(length_after, length_before);
  const std::size_t text_at = content.find("/CourierNew 20.16 Tf");  // 10.08 × 2
  EXPECT_NE(text_at, std::string::npos) << content;
  EXPECT_NE(content.find("(AB) Tj", text_at), std::string::npos) << content;
  // The bars come before the text; the fill colour is restored after it, the font by the
  // next text drawn.
  EXPECT_LT(content.rfind(" re f*"), text_at);
  const std::size_t after_at = content.find("(after) Tj");
  EXPECT_NE(content.find("1 0 0 rg", text_at), std::string::npos) << content;
  EXPECT_NE(content.rfind("/Arial,Bold 12 Tf", after_at), std::string::npos) << content;
  EXPECT_LT(content.rfind("/Arial,Bold 12 Tf", after_at), after_at);
  EXPECT_GT(content.rfind("/Arial,Bold 12 Tf", after_at), text_at);
}

TEST(DrawBarCode, RefusedAndEmptySymbols) {
  const struct {
    int symbology;
    const char* text;
    bool check;
    int error;   // recorded number, 0 for none
    bool draws;  // bars on the page and a width
  } cases[] = {
      {6, "123", false, 0, false},   {-1, "123", false, 0, false},
      {4, "", false, 0, false},      {4, "A\x01", false, 0, false},
      {4, "A\xC6", false, 5, false},  // 198: no set B value, never a half symbol
      {1, "a[b", false, 5, false},   {1, "caf\xE9", true, 5, false},
      {0, "12a4", false, 13, true},  // read as 1204, drawn, and told
      {5, "x", false, 13, true},     {2, "1x", true, 13, true},
      {3, "1234x", false, 13, true}, {5, "1234567", false, 0, true},
      {1, "\x7f{", true, 0, true},
  };
  for (const auto& c : cases) {
    for (const bool show_text : {false, true}) {
      float width = -1;
      int error = -1;
      std::string source;
      const std::string content = CaptureContent([&](Pagora& d) {
        d.DrawBarCode(c.symbology, c.text, 10, 20, show_text, 1, 0, c.check, width);
        error = d.ErrNumber();
        source = d.ErrSource();
      });
      const std::string label = std::to_string(c.symbology) + " \"" + c.text + "\"";
      EXPECT_EQ(error, c.error) << label;
      if (c.error != 0) {
        EXPECT_EQ(source, "Pagora.DrawBarCode") << label;
      }
      EXPECT_EQ(content.empty(), !c.draws) << label;
      EXPECT_EQ(width > 0, c.draws) << label;
    }
  }
}

TEST(DrawBarCode, AnUnwritableSizeDrawsNothingAndKeepsTheState) {
  float width = -1;
  const std::string content = CaptureContent([&](Pagora& d) {
    d.SetFont("Times", 11);
    const float length = d.TextLength("abc");
    d.DrawBarCode(4, "12345678", 3e38f, 20, true, 1, 0, false, width);
    EXPECT_EQ(d.ErrNumber(), kOverflow);
    EXPECT_EQ(d.TextLength("abc"), length);
    d.SetScale(kUnitCustom, 0);
    d.DrawBarCode(4, "12345678", 1, 1, true, 1, 0, false, width);
    EXPECT_EQ(d.ErrNumber(), kDivisionByZero);
  });
  EXPECT_EQ(content.find("re f*"), std::string::npos) << content;
  EXPECT_EQ(width, 0);
}

}  // namespace
}  // namespace pagora

// Sizes and positions of laid-out symbols, in user units.
#include "pdf/barcode/barcode_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace pagora {
namespace {

BarcodeLayout Layout(BarcodeSymbology symbology, const char* text,
                     const BarcodePlacement& placement) {
  return LayoutBarcode(EncodeBarcode(symbology, text, false), placement);
}

std::set<float> Heights(const BarcodeLayout& layout) {
  std::set<float> heights;
  for (const BarcodeRectangle& r : layout.rectangles) heights.insert(r.height);
  return heights;
}

TEST(BarcodeLayout, ClampsMagnification) {
  const struct {
    float given;
    float used;
  } cases[] = {{0.5f, 0.8f}, {0, 0.8f}, {-1, 0.8f}, {3, 2}, {1.5f, 1.5f}};
  for (const auto& c : cases) {
    for (const BarcodeSymbology symbology :
         {BarcodeSymbology::kEan13, BarcodeSymbology::kCode39, BarcodeSymbology::kPostnet}) {
      BarcodePlacement given;
      given.magnification = c.given;
      given.show_text = true;
      BarcodePlacement used = given;
      used.magnification = c.used;
      const BarcodeLayout a = Layout(symbology, "12345", given);
      const BarcodeLayout b = Layout(symbology, "12345", used);
      EXPECT_EQ(a.rectangles, b.rectangles) << c.given;
      EXPECT_EQ(a.width, b.width) << c.given;
      EXPECT_EQ(a.font_size, 10.08f * c.used) << c.given;
    }
  }
}

TEST(BarcodeLayout, ChoosesBarHeights) {
  const float x = 0.72f;  // Code 128 module at magnification 1
  const float t = 4.68f;
  const struct {
    float height;
    bool show_text;
    float bar;
  } cases[] = {
      {0, false, 14.4f},  {0, true, 14.4f}, {30, false, 30},
      {30, true, 30 - t}, {4, true, x},  // smaller than the text: one module
      {-5, false, x},
  };
  for (const auto& c : cases) {
    BarcodePlacement placement;
    placement.height = c.height;
    placement.show_text = c.show_text;
    EXPECT_EQ(Heights(Layout(BarcodeSymbology::kCode128, "AB12", placement)),
              std::set<float>{c.bar})
        << c.height;
  }
  BarcodePlacement placement;
  placement.height = 4;
  placement.show_text = true;
  const float module = 0.936f;
  EXPECT_EQ(Heights(Layout(BarcodeSymbology::kEan13, "1", placement)),
            (std::set<float>{module, module + t}));
  placement.height = 0;
  EXPECT_EQ(Heights(Layout(BarcodeSymbology::kEan8, "1", placement)),
            (std::set<float>{48.96f, 48.96f + t}));
  placement.show_text = false;
  EXPECT_EQ(Heights(Layout(BarcodeSymbology::kEan13, "1", placement)), std::set<float>{64.8f});
}

TEST(BarcodeLayout, PlacesEanModulesAndText) {
  BarcodePlacement placement;
  placement.x = 10;
  placement.y = 20;
  placement.show_text = true;
  placement.unit_factor = 2;  // every size halves
  const float x = 0.936f / 2;
  const float x0 = 10 + 11 * x;
  const BarcodeLayout layout = Layout(BarcodeSymbology::kEan13, "400638133393", placement);
  // One rectangle per dark module, from the first module to the last of the end guard.
  ASSERT_FALSE(layout.rectangles.empty());
  for (const BarcodeRectangle& r : layout.rectangles) EXPECT_FLOAT_EQ(r.width, x);
  EXPECT_FLOAT_EQ(layout.rectangles.front().x, x0);
  EXPECT_FLOAT_EQ(layout.rectangles.back().x, x0 + 94 * x);
  EXPECT_FLOAT_EQ(layout.width, 113 * x);
  const float baseline = 20 + 64.8f / 2 + 1.6f * 4.68f / 2;
  ASSERT_EQ(layout.texts.size(), 3u);
  EXPECT_EQ(layout.texts[0].text, "4");
  EXPECT_EQ(layout.texts[0].alignment, 1);
  EXPECT_FLOAT_EQ(layout.texts[0].x, x0 - 8 * x);
  EXPECT_FLOAT_EQ(layout.texts[1].x, x0 + 24 * x);
  EXPECT_EQ(layout.texts[2].text, "333931");
  EXPECT_FLOAT_EQ(layout.texts[2].x, x0 + 71 * x);
  for (const BarcodeText& text : layout.texts) EXPECT_FLOAT_EQ(text.y, baseline);
  EXPECT_EQ(layout.font_size, 10.08f);  // points, not scaled by the unit factor

  const BarcodeLayout ean8 = Layout(BarcodeSymbology::kEan8, "9638507", placement);
  EXPECT_FLOAT_EQ(ean8.width, 85 * x);
  ASSERT_EQ(ean8.texts.size(), 2u);
  EXPECT_FLOAT_EQ(ean8.texts[0].x, x0 + 17 * x);
  EXPECT_FLOAT_EQ(ean8.texts[1].x, x0 + 50 * x);
}

TEST(BarcodeLayout, NeverMergesAdjacentModules) {
  // "0" in set B is 10011101100: its run of three dark modules gives three rectangles.
  const BarcodeLayout layout = Layout(BarcodeSymbology::kCode128, "0", {});
  const float x = 0.72f;
  // Start B (4 dark modules), "0" (6), check (6), stop (8).
  EXPECT_EQ(layout.rectangles.size(), 24u);
  EXPECT_FLOAT_EQ(layout.rectangles.front().x, 10 * x);
  EXPECT_FLOAT_EQ(layout.width, (10 + 11 * 3 + 13 + 9) * x);
}

TEST(BarcodeLayout, WidthsAndBarsOfWideNarrowSymbologies) {
  const float x = 0.72f;
  BarcodePlacement placement;
  placement.show_text = true;
  // Code 39 "A": start, A, stop, 16 modules each with the gap, quiet zones 10 and 9.
  const BarcodeLayout code39 = Layout(BarcodeSymbology::kCode39, "A", placement);
  EXPECT_FLOAT_EQ(code39.width, (10 + 3 * 16 + 9) * x);
  EXPECT_EQ(code39.rectangles.size(), 15u);
  std::set<float> bar_widths;
  for (const BarcodeRectangle& r : code39.rectangles) bar_widths.insert(r.width);
  EXPECT_EQ(bar_widths, (std::set<float>{0.8f * x, 0.8f * (3 * x)}));
  ASSERT_EQ(code39.texts.size(), 1u);
  EXPECT_EQ(code39.texts[0].text, "A");
  EXPECT_FLOAT_EQ(code39.texts[0].x, code39.width / 2);
  EXPECT_FLOAT_EQ(code39.texts[0].y, 14.4f + 1.6f * 4.68f);

  // Interleaved 2 of 5 "0123": start 4, two pairs of 2 wide bars and 2 wide spaces
  // (14 modules each), stop 6, quiet zones 5 and 5.
  const BarcodeLayout itf = Layout(BarcodeSymbology::kInterleaved2Of5, "123", placement);
  EXPECT_FLOAT_EQ(itf.width, (5 + 4 + 2 * 18 + 6 + 5) * x);
  EXPECT_FLOAT_EQ(itf.rectangles.front().x, 5 * x);
  EXPECT_EQ(itf.texts.at(0).text, "123");
}

TEST(BarcodeLayout, PostnetBarsShareTheirBottomLine) {
  BarcodePlacement placement;
  placement.x = 3;
  placement.y = 7;
  placement.magnification = 2;
  placement.height = 99;  // not used
  placement.show_text = true;
  const BarcodeLayout layout = Layout(BarcodeSymbology::kPostnet, "12345-6789", placement);
  ASSERT_EQ(layout.rectangles.size(), 52u);
  const float full = 18;
  const float half = 7.2f;
  const float pitch = 7.2f;
  const float x = 2.88f;
  for (std::size_t i = 0; i < layout.rectangles.size(); ++i) {
    const BarcodeRectangle& r = layout.rectangles[i];
    EXPECT_NEAR(r.x, 3 + 5 * x + i * pitch, 1e-3) << i;
    EXPECT_FLOAT_EQ(r.width, x);
    EXPECT_TRUE(r.height == full || r.height == half) << i;
    EXPECT_FLOAT_EQ(r.y + r.height, 7 + full) << i;
  }
  EXPECT_NEAR(layout.width, 10 * x + 52 * pitch, 1e-3);
  ASSERT_EQ(layout.texts.size(), 1u);
  EXPECT_FLOAT_EQ(layout.texts[0].y, 7 + 28.8f + 9.36f);
}

TEST(BarcodeLayout, SymbolsWithoutBarsLayOutEmpty) {
  for (const auto& [symbology, text] :
       {std::pair{BarcodeSymbology::kCode128, ""}, std::pair{BarcodeSymbology::kCode128, "\xC6"},
        std::pair{BarcodeSymbology::kCode39, "_"}}) {
    BarcodePlacement placement;
    placement.show_text = true;
    const BarcodeLayout layout = Layout(symbology, text, placement);
    EXPECT_TRUE(layout.rectangles.empty());
    EXPECT_TRUE(layout.texts.empty());
    EXPECT_EQ(layout.width, 0);
  }
}

}  // namespace
}  // namespace pagora

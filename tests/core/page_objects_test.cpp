#include <gtest/gtest.h>

#include "pdf/core/page_geometry.h"
#include "pdf/core/page_state.h"

namespace pagora {
namespace {

TEST(PageObjects, ContentPrefixFlipsUserSpaceAndClipsToMargins) {
  PageState page;
  EXPECT_EQ(BuildContentPrefix(page), "1 0 0 -1 0 842 cm \r");

  const float mm = *StandardUnitFactor(2);
  page.margin_left = 10 * mm;
  page.margin_right = 10 * mm;
  page.margin_top = 20 * mm;
  page.margin_bottom = 20 * mm;
  page.clip_to_margins = true;
  EXPECT_EQ(BuildContentPrefix(page), "1 0 0 -1 28.346 785.307 cm \r0 0 539.307 728.614 re W n\r");
}

TEST(PageObjects, PageDictionaryNamesContentsBoxesAndOptionalEntries) {
  PageState page;
  EXPECT_EQ(BuildPageDictionary(page, {5, {}, {}, {}}),
            "<< /Type /Page /Parent 1 0 R /Contents 5 0 R\r/MediaBox [0 0 596 842]\r"
            "/CropBox [0 0 596 842]\r/BleedBox [0 0 596 842]\r/Resources 2 0 R>>");

  page.rotation = 3;
  page.width = 595.2756f;
  page.height = 841.8898f;
  page.annotations = "9 0 R ";
  page.transition = {"<< /Type /Trans /D 1 /S /Dissolve >> ", 2.5f};
  EXPECT_EQ(BuildPageDictionary(page, {8, 9, 5, 6}),
            "<< /Type /Page /Parent 1 0 R /Contents 8 0 R\r/Rotate 90\r"
            "/MediaBox [0 0 595.276 841.89]\r/CropBox [0 0 595.276 841.89]\r"
            "/BleedBox [0 0 595.276 841.89]\r/Annots 9 0 R/Resources 2 0 R"
            "\r/Dur 2.5 /Trans << /Type /Trans /D 1 /S /Dissolve >> "
            "\n/AA << /O << /Type /Action /S /JavaScript /JS 5 0 R >>\r"
            " /C << /Type /Action /S /JavaScript /JS 6 0 R >>\r>> >>");
}

TEST(PageGeometry, CodesMapToSizesUnitsAndRotations) {
  const struct {
    int code;
    float width, height;
  } sizes[] = {{0, 596, 842},   {1, 842, 596},   {9, 792, 612},   {17, 756, 522},
               {-1, 1192, 842}, {-2, 842, 1192}, {-8, 2384, 3371}};
  for (const auto& s : sizes) {
    const auto size = StandardPaperSize(s.code);
    ASSERT_TRUE(size) << s.code;
    EXPECT_EQ(size->width, s.width) << s.code;
    EXPECT_EQ(size->height, s.height) << s.code;
  }
  for (const int unknown : {18, -9, 255, 100}) EXPECT_FALSE(StandardPaperSize(unknown));

  EXPECT_EQ(StandardUnitFactor(1), 72.0f);
  EXPECT_EQ(StandardUnitFactor(3), 28.346457f);
  EXPECT_FALSE(StandardUnitFactor(4));
  EXPECT_EQ(RotationEntry(1), "/Rotate 270");
  EXPECT_EQ(RotationEntry(2), "/Rotate 180");
  EXPECT_EQ(RotationEntry(0), "");
  EXPECT_EQ(RotationEntry(4), "");
}

}  // namespace
}  // namespace pagora

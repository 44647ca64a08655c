#include "pdf/graphics/pattern_objects.h"

#include <gtest/gtest.h>

#include "pdf/graphics/optional_content.h"

namespace pagora {
namespace {

TEST(GradientPattern, AxialObjectText) {
  GradientGeometry g;
  g.x_start = 10;
  g.y_start = 20;
  g.x_end = 110.5f;
  g.y_end = 20;
  g.extend_after = true;
  EXPECT_EQ(BuildGradientPattern(0, 842, g, "1 0 0", "0 0 1"),
            "<</Type /Pattern /PatternType 2 /Matrix [ 1 0 0 -1 0 842] /Shading <<\r\n"
            "/ColorSpace /DeviceRGB\r"
            "/ShadingType 2 /Coords [10 20 110.5 20]\r"
            "/Extend [false true] \r"
            "/Function \r"
            "<< /FunctionType 3 /Domain [0.000 1.000] /Bounds [] /Encode [0 1 ] \r"
            "/Functions [\r"
            "<< /FunctionType 2 /Domain [0.000 1.000] /C0 [1 0 0] /C1 [0 0 1] /N 1 >>]\r"
            ">>\r>>\r>>");
}

TEST(GradientPattern, RadialCoordinatesPutEachRadiusAfterItsCentre) {
  GradientGeometry g;
  g.radial = true;
  g.x_start = 1;
  g.y_start = 2;
  g.r_start = 3;
  g.x_end = 4;
  g.y_end = 5;
  g.r_end = 6;
  const std::string text = BuildGradientPattern(28.346f, 813.654f, g, "0 0 0", "1 1 1");
  EXPECT_NE(text.find("/Matrix [ 1 0 0 -1 28.346 813.654] "), std::string::npos);
  EXPECT_NE(text.find("\r/ShadingType 3 /Coords [1 2 3 4 5 6]\r/Extend [false false] \r"),
            std::string::npos);
}

TEST(TilingPattern, DictionaryAndCellPrefix) {
  EXPECT_EQ(BuildTilingDictionary(0, 0, 20, 10.5f, 25, 15, true),
            "<< /Type /Pattern /PatternType 1 /PaintType 1\r/TilingType 1\r/BBox [0 0 20 10.5]\r"
            "/Resources 3 0 R\r/XStep 25 /YStep 15\r/Matrix [1 0 0 1 0 0]");
  EXPECT_NE(BuildTilingDictionary(0, 0, 1, 1, 1, 1, false).find("/PaintType 2\r"),
            std::string::npos);
  EXPECT_EQ(TilingCellPrefix(10.5f), "1 0 0 -1 0 10.5 cm");
}

TEST(Templates, PagesSelectedByFlags) {
  const struct {
    int flags;
    bool at_end;
    const char* pages;  // '1' where pages 1..6 draw the template
  } cases[] = {
      {kTemplateEveryPage, false, "111111"},
      {kTemplateEveryPage, true, "000000"},  // drawn under the content, not over it
      {kTemplateEveryPage | kTemplateOverContent, true, "111111"},
      {kTemplateEveryPage | kTemplateNotFirstPage, false, "011111"},
      {kTemplateOddPages, false, "101010"},
      {kTemplateEvenPages, false, "010101"},
      {kTemplateFirstPage, false, "100000"},
      {kTemplateFirstPage | kTemplateEvenPages, false, "110101"},
      {kTemplateOddPages | kTemplateNotFirstPage, false, "001010"},
      {0, false, "000000"},
  };
  for (const auto& c : cases) {
    std::string pages;
    for (int page = 1; page <= 6; ++page) {
      pages += TemplateSelected(c.flags, page, c.at_end) ? '1' : '0';
    }
    EXPECT_EQ(pages, c.pages) << "flags " << c.flags << " at end " << c.at_end;
  }
}

TEST(OptionalContent, DictionaryWithBothUsageLayers) {
  OptionalContentLists lists;
  lists.all = "5 0 R 6 0 R 7 0 R ";
  lists.on = "5 0 R 7 0 R ";
  lists.off = "6 0 R ";
  lists.shown = "5 0 R 6 0 R ";
  lists.print_layer = 6;
  lists.screen_layer = 7;
  EXPECT_EQ(BuildOptionalContentHead(lists) + "(T)" + BuildOptionalContentOrder(lists),
            "<</OCGs [5 0 R 6 0 R 7 0 R ] /D <</AS [ "
            "<</Event /Print /OCGs [6 0 R 7 0 R ] /Category [/Print]>> "
            "<</Event /View /OCGs [6 0 R 7 0 R ] /Category [/View]>> ]\n"
            "/ON [5 0 R 7 0 R ] \n/OFF [6 0 R ] \n/Order [(T) 5 0 R 6 0 R ]>>  >>");

  OptionalContentLists plain;
  plain.all = plain.on = "5 0 R ";
  EXPECT_EQ(BuildOptionalContentHead(plain),
            "<</OCGs [5 0 R ] /D <</AS [ ]\n/ON [5 0 R ] \n/OFF [] \n/Order [");
}

}  // namespace
}  // namespace pagora

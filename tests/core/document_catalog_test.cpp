#include "pdf/core/document_catalog.h"

#include <gtest/gtest.h>

#include "pdf/core/page_presentation.h"

namespace pagora {
namespace {

TEST(ResourceDictionary, WritesOnlyTheListsInUse) {
  ResourceLists lists;
  EXPECT_EQ(BuildResourceDictionary(lists, true), "<<\r/ProcSet [/PDF /Text ]\r\r>>");

  lists.fonts = "/F1 5 0 R ";
  lists.images = "/I1 6 0 R ";
  lists.ext_gstates = "/GS1 7 0 R ";
  lists.patterns = "/P1 8 0 R ";
  const std::string common =
      "<<\r/Font <<\r/F1 5 0 R >>\r/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r\r"
      "/XObject <<\r/I1 6 0 R \r>>\r";
  EXPECT_EQ(BuildResourceDictionary(lists, false), common + "/ExtGState << /GS1 7 0 R  >> \r>>");
  EXPECT_EQ(BuildResourceDictionary(lists, true),
            common +
                "/ColorSpace << /xxCSxx [ /Pattern /DeviceRGB ] >> \r/Pattern <<\r/P1 8 0 R >>\r"
                "/ExtGState << /GS1 7 0 R  >> \r>>");
}

TEST(Catalog, ViewerPreferencesLineIsAlwaysWritten) {
  int bump = -1;
  EXPECT_EQ(BuildCatalog({}, &bump),
            "<< /Type /Catalog\r/Pages 1 0 R\n/ViewerPreferences <<  >>\n>>");
  EXPECT_EQ(bump, 0);
}

TEST(Catalog, LayoutModeAndPreferencesFollowTheFlagWord) {
  const struct {
    std::int32_t flags;
    int outline_entries;
    const char* lines;
    int bump;
  } cases[] = {
      {kLayoutOneColumn | kPageModeFullScreen, 1,
       "\n/PageLayout /OneColumn\n/PageMode /FullScreen\n/ViewerPreferences <<  >>", 0},
      {kLayoutTwoColumnLeft | kPageModeThumbnails, 1,
       "\n/PageLayout /TwoColumnLeft\n/PageMode /UseThumbs\n/ViewerPreferences <<  >>", 0},
      {kLayoutTwoColumnRight | kHideMenubar, 1,
       "\n/PageLayout /TwoColumnRight\n/ViewerPreferences << /HideMenubar true  >>", 0},
      {kPageModeOutlines, 1, "\n/ViewerPreferences <<  >>", 0},
      {kPageModeOutlines, 2, "\n/PageMode /UseOutlines\n/ViewerPreferences <<  >>", 0},
      {kPageModeLayers | kDisplayDocTitle, 1,
       "\n/PageMode /UseOC\n/ViewerPreferences << /DisplayDocTitle true  >>", 2},
      {0x3F0, 1,
       "\n/ViewerPreferences << /HideMenubar true /HideToolbar true /HideWindowUI true "
       "/DisplayDocTitle true /CenterWindow true /FitWindow true  >>",
       1},
      {0x6000 | 3, 1, "\n/ViewerPreferences <<  >>", 0},  // no such layout or mode
  };
  for (const auto& c : cases) {
    CatalogParts parts;
    parts.viewer_flags = c.flags;
    parts.outline_entries = c.outline_entries;
    int bump = -1;
    EXPECT_EQ(BuildCatalog(parts, &bump),
              std::string("<< /Type /Catalog\r/Pages 1 0 R") + c.lines + "\n>>")
        << std::hex << c.flags;
    EXPECT_EQ(bump, c.bump) << std::hex << c.flags;
  }
}

TEST(Catalog, NamesEveryWrittenPieceInOrder) {
  CatalogParts parts;
  parts.outline_root = 4;
  parts.page_labels = "0 <<  /S /D >> ";
  parts.metadata = 9;
  parts.destinations = 10;
  parts.acro_form = "<</NeedAppearances true >>";
  parts.names = 11;
  parts.open_script = 5;
  parts.document_actions = " /WC << /Type /Action /S /JavaScript /JS 6 0 R >>\r";
  parts.optional_content = "<</OCGs [7 0 R ] >>";
  parts.viewer_flags = kLayoutOneColumn;
  int bump;
  EXPECT_EQ(BuildCatalog(parts, &bump),
            "<< /Type /Catalog\r/Pages 1 0 R\r/Outlines 4 0 R\r/PageLabels << /Nums [ 0 <<  /S /D "
            ">>  ] >>"
            "\r/Metadata 9 0 R\r/Dests 10 0 R\r/AcroForm <</NeedAppearances true >>\r/Names 11 0 R"
            "\r/OpenAction << /S /JavaScript /JS 5 0 R >>\r"
            "\n\n/AA << /WC << /Type /Action /S /JavaScript /JS 6 0 R >>\r>> "
            "\n/OCProperties <</OCGs [7 0 R ] >>"
            "\n/PageLayout /OneColumn\n/ViewerPreferences <<  >>\n>>");
}

TEST(PagePresentation, StylesByCode) {
  EXPECT_EQ(PageLabelStyle(1), " /S /D");
  EXPECT_EQ(PageLabelStyle(5), " /S /a");
  EXPECT_EQ(PageLabelStyle(0), "");
  EXPECT_EQ(PageLabelStyle(6), "");
  EXPECT_EQ(TransitionStyle(1), "/S /Split /Dm /H /M /I >> ");
  EXPECT_EQ(TransitionStyle(13), "/S /Dissolve >> ");
  EXPECT_EQ(TransitionStyle(17), "/S /R >> ");
  EXPECT_EQ(TransitionStyle(0), "");
  EXPECT_EQ(TransitionStyle(18), "");
}

}  // namespace
}  // namespace pagora

#include "pdf/interactive/annotation_text.h"

#include <gtest/gtest.h>

#include "pdf/core/runtime_error.h"
#include "pdf/interactive/destination_view.h"
#include "pdf/interactive/outline_objects.h"

namespace pagora {
namespace {

TEST(DestinationView, EveryTypeInPoints) {
  const ViewBox box{10, 800, 100, 50, 150};
  EXPECT_EQ(DestinationView(0, box), "/FitB");
  EXPECT_EQ(DestinationView(1, box), "/FitV 10");
  EXPECT_EQ(DestinationView(2, box), "/FitH 800");
  EXPECT_EQ(DestinationView(3, box), "/FitR 10 800 110 750");
  EXPECT_EQ(DestinationView(4, box), "/XYZ 10 800 1.5");
  EXPECT_EQ(DestinationView(5, box), "");
  EXPECT_EQ(DestinationView(-1, box), "");
  EXPECT_THROW(DestinationView(3, ViewBox{3e38f, 0, 3e38f, 0, 0}), RuntimeError);
}

TEST(OutlineObjects, ItemsNameOnlyTheirPresentLinks) {
  EXPECT_EQ(BuildOutlineDictionary(12), "<< /Count 1 /First 12 0 R /Last 12 0 R >>");
  BookmarkEntry top{"(senza titolo)", 0, 1, "", 0, "/FitB"};
  EXPECT_EQ(BuildOutlineItem("(Doc)", top, {11, 13, 15, 0, 0, 4}, 3),
            "<< /Title (Doc)\r/Parent 11 0 R\r/First 13 0 R\r/Last 15 0 R\r/Count 3\r"
            "/Dest [4 0 R /FitB]\r>>");
  BookmarkEntry styled{"x", 2, 2, "1 0 0", 3, ""};
  EXPECT_EQ(BuildOutlineItem("(x)", styled, {13, 0, 0, 14, 16, 7}, 0),
            "<< /Title (x)\r/Parent 13 0 R\r/Prev 14 0 R\r/Next 16 0 R\r/C [1 0 0]\r/F 3\r>>");
}

TEST(OutlineObjects, DestinationPagesStayInsideTheDocument) {
  EXPECT_EQ(ResolveDestinationPage(-1, 5), 5);
  EXPECT_EQ(ResolveDestinationPage(9, 5), 5);
  EXPECT_EQ(ResolveDestinationPage(5, 5), 5);
  EXPECT_EQ(ResolveDestinationPage(3, 5), 3);
  EXPECT_EQ(ResolveDestinationPage(0, 5), 1);
  EXPECT_EQ(ResolveDestinationPage(-7, 5), 1);
  EXPECT_EQ(BuildNamedDestinationLine({2, " /FitB", "/_LINK_1"}, 9), "/_LINK_1 [9 0 R  /FitB] ");
}

TEST(AnnotationText, LinkBordersAndHighlights) {
  EXPECT_EQ(LinkBorderText(0, 0), "/Border [ 0 0 0]  /H /N\r");
  EXPECT_EQ(LinkBorderText(2, 3), "/Border [ 0 0 2]\r /H /P\r");
  EXPECT_EQ(LinkBorderText(1, 7), "/Border [ 0 0 1]\r");
  EXPECT_EQ(RectangleText({10, 800.5f, 110.25f, 750}), "10 800.5 110.25 750");
}

TEST(AnnotationText, NoteBoxDictionaryAndAppearance) {
  NoteBoxStyle style{{100, 742, 300, 692}, 4, 1, 3, 2, 4, "#FF0000", 1.5f};
  EXPECT_EQ(NoteBoxDictionary(style),
            "<< /Type /Annot /Subtype /FreeText\r/Rect [100 742 300 692]\r /F 4\r/Q 1"
            "\r/C [1 0 0]\r/BS << /Type /Border /W 1.5/S /D /D [3 2]>>\r");
  style.alignment = 2;
  style.border_style = 9;
  style.fill_color = "STRIPES";  // a pattern has no /C
  EXPECT_EQ(NoteBoxDictionary(style),
            "<< /Type /Annot /Subtype /FreeText\r/Rect [100 742 300 692]\r /F 4\r/Q 2"
            "\r/BS << /Type /Border /W 1.5>>\r");
  EXPECT_EQ(NoteBoxAppearance("Arial", 12, "#0000FF"), "/Arial 12 Tf 0 0 1 rg");
  EXPECT_EQ(NoteBoxAppearance("F#20x", 0, "STRIPES"), "/F#20x 0 Tf");
}

TEST(AnnotationText, NoteIconNamesOnlyKnownIcons) {
  EXPECT_EQ(NoteIconDictionary(50, 700, 0, "#FFFF00", 1, true),
            "<< /Type /Annot\r/Subtype /Text\r/Rect [50 700 50 700]\r/F 0\r/C [1 1 0]\r"
            " /Name /Comment\r /Open true ");
  EXPECT_EQ(NoteIconDictionary(50, 700, 2, "", 9, false),
            "<< /Type /Annot\r/Subtype /Text\r/Rect [50 700 50 700]\r/F 2\r\r /Open false ");
}

}  // namespace
}  // namespace pagora

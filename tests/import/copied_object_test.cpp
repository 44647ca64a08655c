#include "pdf/import/copied_object.h"

#include <gtest/gtest.h>

#include <string>

#include "pdf/import/page_box.h"

namespace pagora {
namespace {

TEST(CopiedObject, PageLinksAreDroppedOnlyAsReferences) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"<< /Type /Annot /P 3 0 R /Rect [0 0 1 1] >>", "<< /Type /Annot  /Rect [0 0 1 1] >>"},
      {"<</Parent 2 0 R/Kids[4 0 R]>>", "<</Kids[4 0 R]>>"},
      {"<< /P 4 /Parent null >>", "<< /P 4 /Parent null >>"},  // no link: kept
      {"<< /PA 3 0 R /Sub << /P 3 0 R >> >>", "<< /PA 3 0 R /Sub << /P 3 0 R >> >>"},
      {"<< /P#61rent 2 0 R >>", "<<  >>"},  // the name with an escape is /Parent
      {"[/P 3 0 R]", "[/P 3 0 R]"},         // not a dictionary
      {"<< /P 3 0 R", "<< /P 3 0 R"},       // unterminated: left alone
  };
  for (const auto& c : cases) EXPECT_EQ(WithoutPageLinks(c.text), c.expected) << c.text;
}

TEST(CopiedObject, StreamHeadsLoseLengthAndTheirEnd) {
  EXPECT_EQ(StreamDictionaryHead("<< /Length 12 0 R /Filter /FlateDecode >>"),
            "<<  /Filter /FlateDecode ");
  EXPECT_EQ(StreamDictionaryHead("<</Filter/FlateDecode/Length 7>>"), "<</Filter/FlateDecode");
  EXPECT_EQ(StreamDictionaryHead("<< /Length1 5 /Length 7 >>"), "<< /Length1 5  ");
  EXPECT_FALSE(StreamDictionaryHead("12"));
}

TEST(CopiedObject, StringsBecomeEncryptedHexStrings) {
  const auto mark = [](std::string_view bytes) { return "*" + std::string(bytes); };
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"<< /T (a\\)b) /U <4142> /N /Name >>", "<< /T <2A612962> /U <2A4142> /N /Name >>"},
      {"[(x\\101) % (not a string)\n 1]", "[<2A7841> % (not a string)\n 1]"},
      {"()", "<2A>"},
      {"(open", "(open"},
  };
  for (const auto& c : cases) {
    // The hexadecimal digits of the marked bytes.
    EXPECT_EQ(EncryptStrings(c.text, mark), c.expected) << c.text;
  }
}

TEST(PageBox, BoxesAreCutTurnedAndMovedToTheOrigin) {
  const struct {
    const char* media;
    const char* crop;
    const char* rotate;
    double box[4];
    double matrix[6];
    double width, height;
  } cases[] = {
      {"[0 0 612 792]", "", "", {0, 0, 612, 792}, {1, 0, 0, 1, 0, 0}, 612, 792},
      {"[612 792 0 0]", "", "0", {0, 0, 612, 792}, {1, 0, 0, 1, 0, 0}, 612, 792},
      {"", "", "", {0, 0, 612, 792}, {1, 0, 0, 1, 0, 0}, 612, 792},
      {"[0 0 600 800]",
       "[100 50 700 400]",
       "",
       {100, 50, 600, 400},
       {1, 0, 0, 1, -100, -50},
       500,
       350},
      {"[0 0 600 800]", "[700 900 800 1000]", "", {0, 0, 600, 800}, {1, 0, 0, 1, 0, 0}, 600, 800},
      {"[10 20 110 220]", "", "90", {10, 20, 110, 220}, {0, -1, 1, 0, -20, 110}, 200, 100},
      {"[10 20 110 220]", "", "-270", {10, 20, 110, 220}, {0, -1, 1, 0, -20, 110}, 200, 100},
      {"[10 20 110 220]", "", "180", {10, 20, 110, 220}, {-1, 0, 0, -1, 110, 220}, 100, 200},
      {"[10 20 110 220]", "", "270", {10, 20, 110, 220}, {0, 1, -1, 0, 220, -10}, 200, 100},
      {"[10 20 110 220]", "", "45", {10, 20, 110, 220}, {1, 0, 0, 1, -10, -20}, 100, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.media) + " " + c.crop + " " + c.rotate);
    const auto page = VisiblePageBox(c.media, c.crop, c.rotate);
    ASSERT_TRUE(page);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(page->box[i], c.box[i]) << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(page->matrix[i], c.matrix[i]) << i;
    EXPECT_EQ(page->width, c.width);
    EXPECT_EQ(page->height, c.height);
  }
  for (const char* bad :
       {"[0 0 0 792]", "[0 0 0.001 792]", "[0 0 612]", "(box)", "[0 0 1e7 10]", "[0 0 612 792"}) {
    EXPECT_FALSE(VisiblePageBox(bad, "", "")) << bad;
  }
}

}  // namespace
}  // namespace pagora

#include "pdf/interactive/link_target.h"

#include <gtest/gtest.h>

namespace pagora {
namespace {

TEST(LinkTarget, PrefixesAreMatchedExactlyInOrder) {
  struct Case {
    std::string_view target;
    LinkTargetKind kind;
    std::string_view argument;
  };
  const Case cases[] = {
      {"http://example.org/a", LinkTargetKind::kUri, "http://example.org/a"},
      {"mailto:ufficio@example.org", LinkTargetKind::kUri, "mailto:ufficio@example.org"},
      {"https://example.org/a", LinkTargetKind::kUri, "https://example.org/a"},
      {"HTTPS://example.org", LinkTargetKind::kNone, ""},
      {"file:altro.pdf", LinkTargetKind::kFile, "altro.pdf"},
      {"script:app.alert(1)", LinkTargetKind::kScript, "app.alert(1)"},
      {"layer:ON(a)", LinkTargetKind::kLayer, "ON(a)"},
      {"ref:intro", LinkTargetKind::kReference, "intro"},
      {"bookmark:@2", LinkTargetKind::kBookmark, "@2"},
      {"page:+1", LinkTargetKind::kPage, "+1"},
      {"HTTP://example.org", LinkTargetKind::kNone, ""},  // case matters
      {"Page:1", LinkTargetKind::kNone, ""},
      {"www.example.org", LinkTargetKind::kNone, ""},
      {"", LinkTargetKind::kNone, ""},
  };
  for (const Case& c : cases) {
    const LinkTarget target = ClassifyLinkTarget(c.target);
    EXPECT_EQ(target.kind, c.kind) << c.target;
    EXPECT_EQ(target.argument, c.argument) << c.target;
  }
}

TEST(LinkTarget, PagesFromOffsetsKeywordsAndNumbers) {
  struct Case {
    std::string_view argument;
    int current;
    std::optional<int> page;
  };
  const Case cases[] = {
      {"+1", 3, 4},           {"-5", 3, 1},
      {"-2", 3, 1},           {"+0", 3, 3},
      {"#last", 2, -1},       {"#LAST", 2, -1},
      {"#First", 9, 1},       {"#next", 3, 4},
      {"#prev", 3, 2},        {"#prev", 1, 1},
      {"#next", 0, 1},        {"#middle", 3, std::nullopt},
      {"#", 3, std::nullopt}, {"7", 3, 7},
      {"7.9", 3, 7},          {" 12", 3, 12},
      {"0", 3, std::nullopt}, {"abc", 3, std::nullopt},
      {"", 3, std::nullopt},  {"+99999999999", 3, INT32_MAX},
      {"-99999999999", 3, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveLinkPage(c.argument, c.current), c.page) << c.argument << " on " << c.current;
  }
}

TEST(LinkTarget, BookmarkNumbersNeedTheAtSignAndDigitsOnly) {
  EXPECT_EQ(ParseBookmarkNumber("@1"), 1);
  EXPECT_EQ(ParseBookmarkNumber("@42"), 42);
  EXPECT_EQ(ParseBookmarkNumber("42"), std::nullopt);
  EXPECT_EQ(ParseBookmarkNumber("@"), std::nullopt);
  EXPECT_EQ(ParseBookmarkNumber("@4x"), std::nullopt);
  EXPECT_EQ(ParseBookmarkNumber(""), std::nullopt);
}

TEST(LinkTarget, LayerScriptSwitchesNamesInCommandOrder) {
  const std::string head =
      "var ocgArray = this.getOCGs();for (var i=0; i < ocgArray.length; i++) {\r";
  EXPECT_EQ(BuildLayerScript("OFF(c) ON(a, b)"),
            head +
                "if (ocgArray[i].name == 'A') { ocgArray[i].state = true; };\r"
                "if (ocgArray[i].name == 'B') { ocgArray[i].state = true; };\r"
                "if (ocgArray[i].name == 'C') { ocgArray[i].state = false; };\r}");
  EXPECT_EQ(BuildLayerScript("TOGGLE(Piano terra)"),
            head +
                "if (ocgArray[i].name == 'PIANOTERRA') { ocgArray[i].state = "
                "!ocgArray[i].state; };\r}");
  // No closing bracket: the names run to the end. Empty names and quotes cannot break
  // the script.
  EXPECT_EQ(BuildLayerScript("ON(a,,it's"),
            head +
                "if (ocgArray[i].name == 'A') { ocgArray[i].state = true; };\r"
                "if (ocgArray[i].name == 'IT\\'S') { ocgArray[i].state = true; };\r}");
  EXPECT_EQ(BuildLayerScript("nothing"), head + "}");
}

}  // namespace
}  // namespace pagora

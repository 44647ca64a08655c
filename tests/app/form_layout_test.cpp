#include "app/form_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "app/cp1252.h"
#include "app/tab_order.h"

namespace pannellonistica {
namespace {

TEST(TabOrderTest, FormControlsOrderRowByRowAcrossBothColumns) {
  std::vector<TabStop> controls;
  controls.push_back({"Command1(0)", 0, 0, std::nullopt});  // not ordered
  for (size_t i = 0; i < kFields.size(); ++i) {
    controls.push_back(
        {"Text1(" + std::to_string(i) + ")", kFields[i].top, kFields[i].left, std::pair(0, 0)});
  }
  for (size_t i = 0; i < kOptions.size(); ++i) {
    controls.push_back(
        {"Option1(" + std::to_string(i) + ")", kOptions[i].top, kOptionLeft, std::pair(0, 0)});
  }
  std::vector<std::string> names;
  for (const size_t index : AutoTabOrder(controls)) names.push_back(controls[index].name);
  const std::vector<std::string> expected = {"Option1(0)", "Option1(1)", "Option1(2)", "Text1(0)",
                                             "Text1(1)",   "Text1(2)",   "Text1(3)",   "Text1(8)",
                                             "Text1(4)",   "Text1(9)",   "Text1(5)",   "Text1(10)",
                                             "Text1(6)",   "Text1(11)",  "Text1(7)",   "Text1(12)"};
  EXPECT_EQ(names, expected);
}

TEST(TabOrderTest, ContainerOffsetIsAddedAndImagesAreSkipped) {
  const std::vector<TabStop> controls = {
      {"Text1(0)", 500, 100, std::nullopt},
      {"Text1(1)", 100, 100, std::pair(1000, 0)},  // 1100 on the form
      {"ImageText1", 0, 0, std::nullopt},
      {"Check1", 500, 50, std::nullopt},
  };
  EXPECT_EQ(AutoTabOrder(controls), (std::vector<size_t>{3, 0, 1}));
}

TEST(ScrollTest, PanelTopFollowsTheScrollBar) {
  EXPECT_DOUBLE_EQ(PanelTopForScroll(32767), 0);
  EXPECT_DOUBLE_EQ(PanelTopForScroll(0), -7000);
  EXPECT_NEAR(PanelTopForScroll(16384), -3499.9, 0.2);
}

TEST(ScrollTest, ScrollValueShowingBringsAControlIntoTheFrame) {
  EXPECT_EQ(ScrollValueShowing(1000, 315, 32767), 32767);   // already visible
  const int value = ScrollValueShowing(13440, 315, 32767);  // the last row of fields
  EXPECT_LE(13440 + 315 + PanelTopForScroll(value), kFrameHeight);
  EXPECT_GE(13440 + PanelTopForScroll(value), 0);
  const int back = ScrollValueShowing(7800, 315, 0);    // the first field, from the bottom
  EXPECT_GE(7800 - 300 + PanelTopForScroll(back), 0);   // its caption shows too
  EXPECT_EQ(ScrollValueShowing(14900, 315, 32767), 0);  // clamped to the range
}

TEST(Cp1252Test, RoundTripsEveryByteAndRejectsOtherCharacters) {
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t code_point = Cp1252ToUnicode(static_cast<uint8_t>(byte));
    EXPECT_EQ(UnicodeToCp1252(code_point), byte) << byte;
  }
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'€');
  EXPECT_EQ(Cp1252ToUnicode(0xE8), U'è');
  EXPECT_EQ(UnicodeToCp1252(U'Ω'), std::nullopt);
  EXPECT_EQ(UnicodeToCp1252(U'😀'), std::nullopt);
  EXPECT_EQ(UpperCase("via \xE8\x9C\xFFz"), "VIA \xC8\x8C\x9FZ");
}

TEST(CommandLineTest, FolderOption) {
  EXPECT_FALSE(ParseCommandLine({}).folder);
  EXPECT_EQ(ParseCommandLine({"--cartella", "/tmp/x"}).folder, "/tmp/x");
  EXPECT_EQ(ParseCommandLine({"--cartella=/tmp/y"}).folder, "/tmp/y");
  EXPECT_FALSE(ParseCommandLine({"--cartella"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--cartella="}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--folder", "x"}).error.empty());
}

}  // namespace
}  // namespace pannellonistica

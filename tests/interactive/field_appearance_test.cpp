#include "pdf/interactive/field_appearance.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace pagora {
namespace {

FieldLook Look() {
  static std::array<std::uint16_t, 256> widths{};
  widths.fill(500);
  FieldLook look;
  look.width = 100;
  look.height = 20;
  look.background = "1 1 1";
  look.border = "0 0 0";
  look.font = "Arial";
  look.font_size = 10;
  look.text_color = "1 0 0";
  look.widths = widths;
  return look;
}

TEST(FieldAppearance, TextValueOnOneClippedLine) {
  const std::string frame = "1 1 1 rg\r0 0 100 20 re f\r0 0 0 RG\r1 w\r0.5 0.5 99 19 re S\r";
  EXPECT_EQ(TextFieldAppearance(Look(), "a(b)\r\nsecond", 0, false),
            frame +
                "/Tx BMC\rq\r1 1 98 18 re W n\rBT\r/Arial 10 Tf\r1 0 0 rg\r2 7.2 Td\r(a\\(b\\)) "
                "Tj\rET\rQ\rEMC");
  // Four codes of 5 points: right-aligned ends 2 points inside the border, centred sits in
  // the middle; a multi-line field starts at the top.
  const std::string right = TextFieldAppearance(Look(), "abcd", 2, true);
  EXPECT_NE(right.find("78 10 Td"), std::string::npos) << right;
  const std::string centred = TextFieldAppearance(Look(), "abcd", 1, false);
  EXPECT_NE(centred.find("40 7.2 Td"), std::string::npos) << centred;
  // Automatic size fits the height; no colours, no frame.
  FieldLook plain = Look();
  plain.font_size = 0;
  plain.background.clear();
  plain.border.clear();
  const std::string fitted = TextFieldAppearance(plain, "x", 0, false);
  EXPECT_EQ(fitted.substr(0, 8), "/Tx BMC\r");
  EXPECT_NE(fitted.find("/Arial 12 Tf"), std::string::npos) << fitted;
}

TEST(FieldAppearance, ButtonsOnAndOff) {
  FieldLook look = Look();
  look.width = 20;
  look.font = "ZapfDingbats";
  EXPECT_EQ(ButtonAppearance(look, ""),
            "1 1 1 rg\r0 0 20 20 re f\r0 0 0 RG\r1 w\r0.5 0.5 19 19 re S\r");
  EXPECT_EQ(
      ButtonAppearance(look, "4"),
      ButtonAppearance(look, "") + "q\rBT\r/ZapfDingbats 16 Tf\r1 0 0 rg\r6 4.4 Td\r(4) Tj\rET\rQ");
  EXPECT_EQ(AppearanceDictionary(look),
            "<< /Type /XObject /Subtype /Form /BBox [0 0 20 20] /Resources 2 0 R");
}

}  // namespace
}  // namespace pagora

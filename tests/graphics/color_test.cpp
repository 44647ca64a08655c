#include "pdf/graphics/color.h"

#include <gtest/gtest.h>

#include "pdf/core/runtime_error.h"

namespace pagora {
namespace {

TEST(NormalizeColor, EveryFormReachesItsCanonicalText) {
  const struct {
    const char* input;
    const char* color;
    const char* pattern_color;
  } cases[] = {
      {"", "", ""},
      {"#FF8000", "#FF8000", ""},
      {"#ff8000", "#ff8000", ""},   // the caller's case survives
      {"#F00", "#000F00", ""},      // right-aligned: green 15
      {"#1234567", "#123456", ""},  // the first seven characters
      {"%50", "#808080", ""},
      {"%0", "#FFFFFF", ""},
      {"%100", "#000000", ""},
      {"%150", "#000000", ""},  // percentages are held to 0..100
      {"@255;0;0", "#FF0000", ""},
      {"@0;127,5;128.5", "#008080", ""},  // comma as decimal point, halves to even
      {"@256;0;0", "#000000", ""},        // the last two hexadecimal digits
      {"@0;0;0;100", "#000000", ""},
      {"@0;0;0;0", "#FFFFFF", ""},
      {"@130;0;0;0", "#4CFFFF", ""},  // |100 - 130| like 70, not clamped
      {"red", "#F7120D", ""},
      {"  Red ;BLUE", "#F7120D", ""},  // a further part after a name is ignored
      {"fuchsia", "#FF00FF", ""},
      {"magenta", "#FF00FF", ""},
      {"aqua", "#00FFFF", ""},
      {"orange", "#FF7F00", ""},
      {"stripes", "STRIPES", ""},
      {" stripes ; blue", "STRIPES", "#0000FF"},
      {"stripes;%50", "STRIPES", "#808080"},
      {"stripes; ", "STRIPES", ""},
  };
  for (const auto& c : cases) {
    const NormalizedColor n = NormalizeColor(c.input);
    EXPECT_EQ(n.color, c.color) << c.input;
    EXPECT_EQ(n.pattern_color, c.pattern_color) << c.input;
  }
}

TEST(NormalizeColor, MalformedHexadecimalAndComponentTextsAreRefused) {
  for (const char* bad : {"#", "#GG0000", "#12 456", "@1;2", "@1;2;3;4;5", "@"}) {
    try {
      NormalizeColor(bad);
      ADD_FAILURE() << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kTypeMismatch) << bad;
    }
  }
}

}  // namespace
}  // namespace pagora

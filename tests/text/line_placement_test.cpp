// Alignment of one line, measured in Courier 10: every byte is 6 units wide.
#include "pdf/text/line_placement.h"

#include <gtest/gtest.h>

#include "pdf/core/runtime_error.h"
#include "pdf/text/standard_font_metrics.h"

namespace pagora {
namespace {

TEST(LinePlacement, EveryAlignmentCaseAndCombinationsFallingBackToLeft) {
  TextMeasure measure{&StandardFaceWidths(StandardFace::kCourier), 10, {}, 1};
  measure.state.word_spacing = 0.5f;
  const struct {
    int align;
    float indentation;
    float measured, natural, offset;
    const char* prefix;
    const char* suffix;
  } cases[] = {
      {1, 0, 24.5f, 24.5f, 0, "", ""},
      {2, 0, 24.5f, 24.5f, 75.5f, "", ""},
      {4, 4, 28.5f, 24.5f, 39.75f, "", ""},
      {2 | 4, 0, 24.5f, 24.5f, 0, "", ""},
      {64 | 32, 0, 18, 100, 0, "75.5 Tw ", " 0.5 Tw"},  // vertical bits do not count
      {64 | 2, 0, 24.5f, 24.5f, 0, "", ""},
      {128, 0, 24.5f, 24.5f, 0, "", ""},
      {256, 0, 24.5f, 24.5f, 0, "408.163 Tz ", "  100 Tz"},
  };
  for (const auto& c : cases) {
    const LinePlacement line = PlaceLine(measure, "ab c", 100, c.indentation, c.align);
    EXPECT_FLOAT_EQ(line.measured, c.measured) << c.align;
    EXPECT_FLOAT_EQ(line.natural, c.natural) << c.align;
    EXPECT_FLOAT_EQ(line.offset, c.offset) << c.align;
    EXPECT_EQ(line.prefix, c.prefix) << c.align;
    EXPECT_EQ(line.suffix, c.suffix) << c.align;
  }
  measure.size = 0;
  EXPECT_THROW(PlaceLine(measure, "ab", 100, 0, 128), RuntimeError);
}

}  // namespace
}  // namespace pagora

// Paragraphs, wrapping, height limit and rest of text boxes, measured in Courier: every
// byte is 6 units wide at size 10 with unit factor 1.
#include "pdf/text/text_box_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/text/standard_font_metrics.h"

namespace pagora {
namespace {

TextMeasure Courier10() {
  TextMeasure measure;
  measure.widths = &StandardFaceWidths(StandardFace::kCourier);
  measure.size = 10;
  return measure;
}

std::vector<std::string> Texts(const TextBoxLayout& layout) {
  std::vector<std::string> texts;
  for (const TextBoxLine& line : layout.lines) texts.push_back(line.text);
  return texts;
}

using Lines = std::vector<std::string>;

TEST(TextBoxLayout, WrapsAtSpacesAndSplitsParagraphs) {
  const struct {
    const char* text;
    float width;
    int align;
    Lines lines;
  } cases[] = {
      // "aaa bbb" is 42 wide: it fits in 42, not in 41.
      {"aaa bbb ccc", 42, 1, {"aaa bbb", "ccc"}},
      {"aaa bbb ccc", 41, 1, {"aaa", "bbb", "ccc"}},
      {"aaaaaaaaaa b", 12, 1, {"aaaaaaaaaa", "b"}},
      {"a\r\nb", 100, 1, {"a", "b"}},
      {"a\r\n\r\nb", 100, 1, {"a", " ", "b"}},
      {"a\r\n\r\n\r\nb", 100, 1, {"a", " ", " ", "b"}},
      {"a\r\n", 100, 1, {"a", " "}},
      {"", 100, 1, {""}},
      {"a  b", 100, 1, {"a  b"}},
      {"a  b", 100, 65, {"a b"}},
      {"aaa bbb ccc", 10, 128, {"aaa bbb ccc"}},
      {"aaa bbb ccc", 10, 256, {"aaa bbb ccc"}},
  };
  for (const auto& c : cases) {
    TextBoxFrame frame;
    frame.width = c.width;
    frame.align = c.align;
    const TextBoxLayout layout = LayoutTextBox(c.text, Courier10(), frame);
    EXPECT_EQ(Texts(layout), c.lines) << c.text << " in " << c.width;
    EXPECT_EQ(layout.rest, "") << c.text;
  }
}

TEST(TextBoxLayout, HeightLimitReturnsTheRestWithItsContinuationMarker) {
  TextBoxFrame frame;
  frame.width = 42;
  frame.line_height = 10;
  const struct {
    const char* text;
    float height;
    Lines lines;
    std::string rest;
  } cases[] = {
      {"aaa bbb ccc ddd", 25, {"aaa bbb", "ccc ddd"}, ""},
      {"aaa bbb ccc ddd eee", 20, {"aaa bbb", "ccc ddd"}, std::string("\0eee", 4)},
      // Less than two lines high: one line all the same.
      {"aaa bbb ccc", 5, {"aaa bbb"}, std::string("\0ccc", 4)},
      // Broken at a paragraph boundary: no marker, later paragraphs joined by CR LF.
      {"aaa\r\nbbb\r\n\r\nccc", 10, {"aaa"}, "bbb\r\n \r\nccc"},
      {"aaa bbb ccc\r\nddd", 10, {"aaa bbb"}, std::string("\0ccc\r\nddd", 9)},
  };
  for (const auto& c : cases) {
    frame.height = c.height;
    const TextBoxLayout layout = LayoutTextBox(c.text, Courier10(), frame);
    EXPECT_EQ(Texts(layout), c.lines) << c.text;
    EXPECT_EQ(layout.rest, c.rest) << c.text;
  }
}

}  // namespace
}  // namespace pagora

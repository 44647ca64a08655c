#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/pagora_codes.h"
#include "pdf/text/text_measure.h"

namespace pagora {

// A rest of text that begins inside a paragraph starts with this byte: the box that takes
// it up continues the paragraph instead of indenting a new one.
inline constexpr char kContinuationMarker = '\0';

// The frame a text is wrapped into.
struct TextBoxFrame {
  float width = 0;        // user units
  float indentation = 0;  // user units, first line of each paragraph
  int align = 1;          // alignment code: justify collapses spaces, shrink and fit never wrap
  float line_height = 0;  // points
  float height = 0;       // points; 0 or less: no limit
};

struct TextBoxLine {
  std::string text;
  bool first_of_paragraph = false;  // drawn with the indentation
  bool last_of_paragraph = false;   // never justified
};

struct TextBoxLayout {
  std::vector<TextBoxLine> lines;
  // What did not fit: the unplaced words of the broken paragraph (after the continuation
  // marker) and the later paragraphs, joined by CR LF. Empty when everything fitted.
  std::string rest;
};

// Splits `text` into paragraphs at CR LF (an empty paragraph between two breaks, or after
// a final break, becomes one space; with justification runs of spaces become one) and
// wraps each at spaces: a line takes words while the words, one space per gap and the
// next word fit in the width; a word wider than the box gets a line of its own. A line is
// never split inside a word. Lines stop when one more would exceed the height, leaving at
// least one line. The first line of a text that starts with the continuation marker is not
// the first of its paragraph, and neither draws nor counts the indentation.
TextBoxLayout LayoutTextBox(std::string_view text, const TextMeasure& measure,
                            const TextBoxFrame& frame);

}  // namespace pagora

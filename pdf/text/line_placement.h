#pragma once

#include <string>
#include <string_view>

#include "pdf/text/text_measure.h"

namespace pagora {

// How one line of text sits in its width.
struct LinePlacement {
  // The line's length with the indentation, as aligned (user units).
  float measured = 0;
  // The length the line advances the current position by and its decorations span.
  float natural = 0;
  // From x to the start of the line, indentation included (user units).
  float offset = 0;
  // Operators written before and after the show operator: word spacing that justifies the
  // line ("Tw"), or horizontal scaling that squeezes or stretches it ("Tz"), and the
  // restoring one.
  std::string prefix;
  std::string suffix;
};

// Aligns non-blank `text` in `width` by `align`, masked with 0x1C7: 2 right, 4 centre,
// 64 justify (extra word spacing fills the width; one word stays left), 128 squeeze a
// line longer than the width, 256 squeeze or stretch it to the width; anything else left.
// Squeezing measures the text at 100 % scaling. Throws RuntimeError 11 when a squeezed or
// stretched line has no length.
LinePlacement PlaceLine(const TextMeasure& measure, std::string_view text, float width,
                        float indentation, int align);

}  // namespace pagora

// Alignment of one line of text within a width.
#include "pdf/text/line_placement.h"

#include "pdf/core/number_format.h"
#include "pdf/core/runtime_error.h"
#include "pdf/text/text_box_layout.h"

namespace pagora {
namespace {

// The alignment cases; any combination of them is left-aligned.
constexpr int kAlignCases = 0x1C7;

}  // namespace

LinePlacement PlaceLine(const TextMeasure& measure, std::string_view text, float width,
                        float indentation, int align) {
  const int mode = align & kAlignCases;
  const bool scaled = mode == kAlignShrink || mode == kAlignFit;
  LinePlacement line;
  float gaps = 0;
  float space = 0;
  if (mode == kAlignJustify) {
    // Words alone: the gaps are what the word spacing stretches.
    for (std::size_t start = 0;;) {
      const std::size_t end = text.find(' ', start);
      line.measured += measure.Length(text.substr(start, end - start));
      if (end == std::string_view::npos) break;
      gaps += 1;
      start = end + 1;
    }
    space = measure.Length(" ");
    line.natural = line.measured + gaps * space;
  } else {
    TextMeasure unscaled = measure;
    if (scaled) unscaled.state.horizontal_scaling = 100;
    line.measured = line.natural = unscaled.Length(text);
  }
  line.measured += indentation;

  if (mode == kAlignRight) {
    line.offset = width - line.measured;
  } else if (mode == kAlignCenter) {
    line.offset = (width - line.measured) / 2;
  } else if (mode == kAlignJustify && gaps > 0) {
    const float extra = width - line.measured - gaps * space;
    line.prefix = FormatLength(extra / gaps, measure.unit_factor) + " Tw ";
    line.suffix = " " + FormatNumber(measure.state.word_spacing) + " Tw";
    line.natural = width - indentation;
  } else if (scaled) {
    if (line.measured == 0) throw RuntimeError(kDivisionByZero);
    const std::string squeeze = FormatNumber(width * 100 / line.measured) + " Tz ";
    const std::string scaling = FormatNumber(measure.state.horizontal_scaling);
    if (width < line.measured) {
      line.prefix = squeeze;
      line.suffix = " " + scaling + " Tz";
    } else if (mode == kAlignFit) {
      line.prefix = squeeze;
      line.suffix = "  " + scaling + " Tz";
    }
  }
  line.offset += indentation;
  return line;
}

}  // namespace pagora

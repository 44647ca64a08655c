#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "pdf/text/font_state.h"

namespace pagora {

// Measures single-byte text with one font's widths, a size and the text state.
struct TextMeasure {
  // Widths of the current font in 1/1000 of the size; nullptr when no font is set.
  const std::array<std::uint16_t, 256>* widths = nullptr;
  float size = 0;  // points
  TextState state;
  float unit_factor = 1;  // points per user unit

  // The advance of `text` in user units: (Σ widths × size / 1000 + spaces × word spacing +
  // bytes × character spacing) × horizontal scaling / 100 ÷ unit factor. 0 with no font.
  // Throws RuntimeError 11 when the unit factor is 0, 6 when the result overflows a float.
  float Length(std::string_view text) const;
};

// The measure of the current font of `fonts` at its size and text state.
inline TextMeasure CurrentTextMeasure(const FontState& fonts, float unit_factor) {
  const FontRecord* font = fonts.Current();
  return {font != nullptr ? &font->widths : nullptr, fonts.size, fonts.text, unit_factor};
}

}  // namespace pagora

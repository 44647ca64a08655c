#pragma once

#include <string>
#include <string_view>

namespace pagora {

// True for a canonical solid colour ("#RRGGBB"), false for a pattern name or nothing.
inline bool IsSolidColor(std::string_view color) {
  return color.starts_with('#');
}

// A colour in canonical form: "#RRGGBB" for a solid colour (hexadecimal; a lower-case
// value written by the caller stays lower case), or the upper-cased name of a pattern, or
// empty. A pattern may carry a solid colour for uncoloured patterns.
struct NormalizedColor {
  std::string color;
  std::string pattern_color;

  bool IsSolid() const { return IsSolidColor(color); }
};

// Turns every colour text the engine accepts into canonical form:
// - "#" and up to six hexadecimal digits, right-aligned ("#F00" is green 15);
// - "%" and a grey percentage, 0 white to 100 black;
// - "@R;G;B" with components 0..255, or "@C;M;Y;K" percentages (a decimal comma reads as a
//   point; components round half to even);
// - one of 35 colour names, in any case ("RED" is #F7120D);
// - otherwise a pattern name, optionally followed by ";" and its colour.
// Throws RuntimeError 13 for a malformed "#" or "@" text.
NormalizedColor NormalizeColor(std::string_view text);

}  // namespace pagora

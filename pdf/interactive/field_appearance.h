#pragma once

// Normal appearance streams of form fields, for viewers that do not draw fields from /DA
// themselves. Full viewers still regenerate them: the form keeps /NeedAppearances true.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pagora {

// How a field's box looks and what it shows, in points of the box (origin bottom-left).
struct FieldLook {
  float width = 0;
  float height = 0;
  std::string background;  // colour operands ("1 1 1"), empty for none
  std::string border;      // colour operands, empty for none
  float border_width = 1;
  std::string font;        // font resource name, as a name token without "/"
  float font_size = 0;     // 0: fitted to the box
  std::string text_color;  // colour operands
  // Advance widths of the font's codes 0..255 in 1/1000 of the size; empty: not measured.
  std::span<const std::uint16_t> widths;
};

// The dictionary of an appearance form of the box, up to its stream entries: /BBox and the
// document's page resources (object 2), which hold every font.
std::string AppearanceDictionary(const FieldLook& look);

// A text field's appearance: background and border, then `value` on one line in the font,
// clipped to the box inside the border; `quadding` 0 left, 1 centred, 2 right; a
// multi-line field starts at the top, any other in the middle.
std::string TextFieldAppearance(const FieldLook& look, std::string_view value, int quadding,
                                bool multi_line);

// A check box's or radio button's "on" appearance: background, border and the `glyph` of
// the look's font (ZapfDingbats) centred in the box. With an empty glyph, the "off" one.
std::string ButtonAppearance(const FieldLook& look, std::string_view glyph);

}  // namespace pagora

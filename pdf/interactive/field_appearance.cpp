#include "pdf/interactive/field_appearance.h"

#include <algorithm>

#include "pdf/core/number_format.h"
#include "pdf/core/text_encoding.h"

namespace pagora {
namespace {

// The box's background and border.
std::string Frame(const FieldLook& look) {
  std::string text;
  const std::string w = FormatNumber(look.width);
  const std::string h = FormatNumber(look.height);
  if (!look.background.empty()) text += look.background + " rg\r0 0 " + w + " " + h + " re f\r";
  if (!look.border.empty() && look.border_width > 0) {
    const float inset = look.border_width / 2;
    text += look.border + " RG\r" + FormatNumber(look.border_width) + " w\r" + FormatNumber(inset) +
            " " + FormatNumber(inset) + " " + FormatNumber(look.width - look.border_width) + " " +
            FormatNumber(look.height - look.border_width) + " re S\r";
  }
  return text;
}

float TextWidth(const FieldLook& look, std::string_view text, float size) {
  if (look.widths.size() < 256) return 0;
  double units = 0;
  for (const char c : text) units += look.widths[static_cast<unsigned char>(c)];
  return static_cast<float>(units * size / 1000);
}

// A size that fits the box's height when the field asks for automatic size.
float FittedSize(const FieldLook& look) {
  if (look.font_size > 0) return look.font_size;
  return std::clamp((look.height - 4) * 0.75f, 1.0f, 12.0f);
}

}  // namespace

std::string AppearanceDictionary(const FieldLook& look) {
  return "<< /Type /XObject /Subtype /Form /BBox [0 0 " + FormatNumber(look.width) + " " +
         FormatNumber(look.height) + "] /Resources 2 0 R";
}

std::string TextFieldAppearance(const FieldLook& look, std::string_view value, int quadding,
                                bool multi_line) {
  std::string text = Frame(look) + "/Tx BMC\rq\r";
  const float inset = std::max(look.border.empty() ? 0.0f : look.border_width, 1.0f);
  text += FormatNumber(inset) + " " + FormatNumber(inset) + " " +
          FormatNumber(look.width - 2 * inset) + " " + FormatNumber(look.height - 2 * inset) +
          " re W n\r";
  // One line: the value up to its first line break.
  const std::string_view line = value.substr(0, value.find_first_of("\r\n"));
  const float size = FittedSize(look);
  const float advance = TextWidth(look, line, size);
  const float padding = inset + 1;
  float x = padding;
  if (quadding == 2) x = look.width - padding - advance;
  if (quadding == 1) x = (look.width - advance) / 2;
  // The baseline a fifth of the size above the middle's bottom, or one line below the top.
  const float y =
      multi_line ? look.height - padding - size * 0.8f : (look.height - size) / 2 + size * 0.22f;
  text += "BT\r/" + look.font + " " + FormatNumber(size) + " Tf\r" + look.text_color + " rg\r" +
          FormatNumber(x) + " " + FormatNumber(y) + " Td\r(" + EscapeString(line) + ") Tj\rET\r";
  text += "Q\rEMC";
  return text;
}

std::string ButtonAppearance(const FieldLook& look, std::string_view glyph) {
  std::string text = Frame(look);
  if (glyph.empty()) return text;
  const float size = std::max(std::min(look.width, look.height) * 0.8f, 1.0f);
  const float advance = TextWidth(look, glyph, size);
  // ZapfDingbats' ticks and marks stand about 0.7 of the size tall.
  const float x = (look.width - advance) / 2;
  const float y = (look.height - size * 0.7f) / 2;
  text += "q\rBT\r/" + look.font + " " + FormatNumber(size) + " Tf\r" + look.text_color + " rg\r" +
          FormatNumber(x) + " " + FormatNumber(y) + " Td\r(" + EscapeString(glyph) + ") Tj\rET\rQ";
  return text;
}

}  // namespace pagora

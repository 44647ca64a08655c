// The text emitter and single-line text: DrawText, WriteText, WriteTextLn.
#include <string>

#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/core/text_encoding.h"
#include "pdf/text/font_table.h"
#include "pdf/text/line_placement.h"

namespace pagora {
namespace {

// Font style bits drawn as lines, with their offset from the baseline in font sizes (y
// grows downward) in drawing order.
constexpr struct {
  int bit;
  float offset;
} kDecorations[] = {{4, 0.125f}, {8, -0.8f}, {16, -0.3f}};
constexpr int kDecorationBits = 4 | 8 | 16;

}  // namespace

void Pagora::EmitText(float x, float y, float width, std::string_view text, float indentation,
                      int align, bool new_line) {
  const float k = page_.unit_factor;
  float natural = 0;
  float advance = 0;
  if (text.find_first_not_of(' ') != std::string_view::npos) {
    const LinePlacement line =
        PlaceLine(CurrentTextMeasure(fonts_, k), text, width, indentation, align);
    natural = line.natural;

    const float size = fonts_.size;
    const FontRecord* font = fonts_.Current();
    const float descent = font != nullptr ? size * static_cast<float>(font->descent) / 1000 : 0;
    advance = TextHeight() * fonts_.text.line_spacing * k;
    const float left = (x + line.offset) * k;
    const float descent_line = page_.height - y * k + descent;
    graphics_.last_area = {left, descent_line, (x + line.offset + line.measured) * k,
                           descent_line + advance};

    const std::string fill_color = graphics_.fill_color;
    const std::string fill_pattern_color = graphics_.fill_pattern_color;
    SetColorFill(graphics_.text_color + ";" + graphics_.text_pattern_color);
    const std::string size_text = FormatNumber(size);
    const std::string origin = FormatNumber(left) + " " + FormatLength(y, k);
    AppendContent("BT");
    AppendContent("/" + PdfNameToken(fonts_.current_name) + " " + size_text + " Tf " + size_text +
                  " TL");
    AppendContent("1 0 0 -1 " + origin + " Tm");
    AppendContent(line.prefix + "(" + EscapeString(text) + ") Tj" + line.suffix);
    AppendContent("ET");
    SetColorFill(fill_color + ";" + fill_pattern_color);

    if (fonts_.style & kDecorationBits) {
      const std::string line_color = graphics_.line_color;
      const std::string line_pattern_color = graphics_.line_pattern_color;
      AppendContent("q");
      SetColorLine(graphics_.text_color);
      AppendContent(FormatNumber(size / 16) + " w 1 0 0 1 " + origin + " cm");
      const std::string length = FormatLength(natural, k);
      for (const auto& decoration : kDecorations) {
        if ((fonts_.style & decoration.bit) == 0) continue;
        const std::string d = FormatNumber(decoration.offset * size);
        AppendContent("0 " + d + " m " + length + " " + d + " l S");
      }
      SetColorLine(line_color + ";" + line_pattern_color);
      AppendContent("Q");
    }
  }
  if (new_line) {
    page_.x = 0;
    page_.y = ToPoints(y) + advance;
  } else {
    page_.x = ToPoints(x + natural);
    page_.y = ToPoints(y);
  }
}

void Pagora::DrawText(float x, float y, const std::string& text, int align) {
  EmitText(x, y, 0, text, 0, align & 7, /*new_line=*/false);
}

void Pagora::WriteText(const std::string& text, int text_style, float percent_size) {
  // Styles outside 0..3 have no placement of their own: they draw as normal text.
  if (text_style < 0 || text_style > 3) text_style = 0;
  const float k = page_.unit_factor;
  const float current_y = page_.y;
  const float old_size = fonts_.size;
  const float x = ToUserUnits(page_.x);
  float y = ToUserUnits(current_y);
  if (text_style != 0) {
    const float line_height = TextHeight();
    const float new_size = percent_size / 100 * old_size;
    fonts_.size = new_size;
    const FontRecord* font = fonts_.Current();
    const float descent = font != nullptr ? static_cast<float>(font->descent) : 0;
    if (text_style == 2) {
      y = (current_y - (old_size + new_size) * descent / 1000) / k;
    } else if (text_style == 1) {
      y = (current_y - new_size * descent / 1000) / k - line_height / 2;
    }
  }
  try {
    EmitText(x, y, 0, text, 0, 1, /*new_line=*/false);
  } catch (...) {
    fonts_.size = old_size;
    throw;
  }
  page_.y = current_y;
  fonts_.size = old_size;
}

void Pagora::WriteTextLn(const std::string& text) {
  EmitText(ToUserUnits(page_.x), ToUserUnits(page_.y), 0, text, 0, 1, /*new_line=*/true);
}

}  // namespace pagora

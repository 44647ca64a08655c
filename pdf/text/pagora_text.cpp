// The text emitter and single-line text: DrawText, WriteText, WriteTextLn.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/drawing.h"
#include "pdf/text/font_table.h"
#include "pdf/text/line_placement.h"
#include "pdf/text/text_output.h"

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

void EmitText(Document& doc, float x, float y, float width, std::string_view text,
              float indentation, int align, bool new_line) {
  const float k = doc.page.unit_factor;
  float natural = 0;
  float advance = 0;
  if (text.find_first_not_of(' ') != std::string_view::npos) {
    const LinePlacement line =
        PlaceLine(CurrentTextMeasure(doc.fonts, k), text, width, indentation, align);
    natural = line.natural;

    const float size = doc.fonts.size;
    const float descent = TextDescent(doc);
    advance = TextHeight(doc) * doc.fonts.text.line_spacing * k;
    const float left = (x + line.offset) * k;
    const float descent_line = doc.page.height - y * k + descent;
    doc.graphics.last_area = {left, descent_line, (x + line.offset + line.measured) * k,
                              descent_line + advance};

    const std::string fill_color = doc.graphics.fill_color;
    const std::string fill_pattern_color = doc.graphics.fill_pattern_color;
    SetPaintColor(doc, doc.graphics.text_color + ";" + doc.graphics.text_pattern_color, false);
    const std::string size_text = FormatNumber(size);
    const std::string origin = FormatNumber(left) + " " + FormatLength(y, k);
    AppendContent(doc, "BT");
    AppendContent(doc, "/" + PdfNameToken(doc.fonts.current_name) + " " + size_text + " Tf " +
                           size_text + " TL");
    AppendContent(doc, "1 0 0 -1 " + origin + " Tm");
    AppendContent(doc, line.prefix + "(" + EscapeString(text) + ") Tj" + line.suffix);
    AppendContent(doc, "ET");
    SetPaintColor(doc, fill_color + ";" + fill_pattern_color, false);

    if (doc.fonts.style & kDecorationBits) {
      const std::string line_color = doc.graphics.line_color;
      const std::string line_pattern_color = doc.graphics.line_pattern_color;
      AppendContent(doc, "q");
      SetPaintColor(doc, doc.graphics.text_color, true);
      AppendContent(doc, FormatNumber(size / 16) + " w 1 0 0 1 " + origin + " cm");
      const std::string length = FormatLength(natural, k);
      for (const auto& decoration : kDecorations) {
        if ((doc.fonts.style & decoration.bit) == 0) continue;
        const std::string d = FormatNumber(decoration.offset * size);
        AppendContent(doc, "0 " + d + " m " + length + " " + d + " l S");
      }
      SetPaintColor(doc, line_color + ";" + line_pattern_color, true);
      AppendContent(doc, "Q");
    }
  }
  if (new_line) {
    doc.page.x = 0;
    doc.page.y = ToPoints(doc, y) + advance;
  } else {
    doc.page.x = ToPoints(doc, x + natural);
    doc.page.y = ToPoints(doc, y);
  }
}

void Pagora::DrawText(float x, float y, const std::string& text, int align) try {
  EmitText(*doc_, x, y, 0, text, 0, align & 7, /*new_line=*/false);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::WriteText(const std::string& text, int text_style, float percent_size) try {
  // Styles outside 0..3 have no placement of their own: they draw as normal text.
  if (text_style < 0 || text_style > 3) text_style = 0;
  const float k = doc_->page.unit_factor;
  const float current_y = doc_->page.y;
  const float old_size = doc_->fonts.size;
  const float x = ToUserUnits(*doc_, doc_->page.x);
  float y = ToUserUnits(*doc_, current_y);
  if (text_style != 0) {
    const float line_height = TextHeight();
    const float new_size = percent_size / 100 * old_size;
    doc_->fonts.size = new_size;
    const FontRecord* font = doc_->fonts.Current();
    const float descent = font != nullptr ? static_cast<float>(font->descent) : 0;
    if (text_style == 2) {
      y = (current_y - (old_size + new_size) * descent / 1000) / k;
    } else if (text_style == 1) {
      y = (current_y - new_size * descent / 1000) / k - line_height / 2;
    }
  }
  try {
    EmitText(*doc_, x, y, 0, text, 0, 1, /*new_line=*/false);
  } catch (...) {
    doc_->fonts.size = old_size;
    throw;
  }
  doc_->page.y = current_y;
  doc_->fonts.size = old_size;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::WriteTextLn(const std::string& text) try {
  EmitText(*doc_, ToUserUnits(*doc_, doc_->page.x), ToUserUnits(*doc_, doc_->page.y), 0, text, 0, 1,
           /*new_line=*/true);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

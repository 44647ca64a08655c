#include "pdf/graphics/drawing_state.h"

#include <string>
#include <utility>

#include "pdf/core/document.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"

namespace pagora {
namespace {

// The setter's argument for a saved colour: the colour and ";" with its pattern colour.
// A colour never set stays empty, which the setters ignore; ";" alone would select a
// pattern with no name.
std::string ColorArgument(const std::string& color, const std::string& pattern_color) {
  if (color.empty()) return {};
  return color + ";" + pattern_color;
}

}  // namespace

void PushDrawingState(Document& doc) {
  std::vector<SavedDrawingState>& entries = doc.graphics.state_stack.entries;
  GrowAppendedTable(entries, doc.memory_factor);
  const GraphicsState& g = doc.graphics;
  entries.push_back({doc.page.unit_factor, doc.page.x, doc.page.y, g.fill_color,
                     g.fill_pattern_color, g.line_color, g.line_pattern_color, g.text_color,
                     g.text_pattern_color, doc.fonts.requested_name, doc.fonts.size,
                     doc.fonts.style, g.line_width});
}

void PopDrawingState(Pagora& pdf, Document& doc) {
  std::vector<SavedDrawingState>& entries = doc.graphics.state_stack.entries;
  if (entries.empty()) return;
  const SavedDrawingState saved = std::move(entries.back());
  entries.pop_back();

  doc.page.unit_factor = saved.unit_factor;
  doc.page.x = saved.x;
  doc.page.y = saved.y;
  pdf.SetColorLine(ColorArgument(saved.line_color, saved.line_pattern_color));
  pdf.SetColorFill(ColorArgument(saved.fill_color, saved.fill_pattern_color));
  pdf.SetColorText(ColorArgument(saved.text_color, saved.text_pattern_color));
  pdf.SetLineWidth(ToUserUnits(doc, saved.line_width));
  // A state saved before any font was chosen has none to bring back; choosing the family ""
  // would write a font resource without a name.
  if (!saved.font_name.empty()) {
    pdf.SetFont(saved.font_name, saved.font_size, saved.font_style, 0);
  }
}

}  // namespace pagora

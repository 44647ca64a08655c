// Fill, line and text colours.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/color.h"
#include "pdf/graphics/drawing.h"

namespace pagora {

// Sets the fill colour (rg, cs, scn) or, with `stroke`, the line colour (RG, CS, SCN).
void SetPaintColor(Document& doc, const std::string& text, bool stroke) {
  if (text.empty() || doc.graphics.uncoloured_tiling) return;
  const NormalizedColor normalized = NormalizeColor(text);
  (stroke ? doc.graphics.line_color : doc.graphics.fill_color) = normalized.color;
  if (normalized.IsSolid()) {
    AppendContent(doc, FormatColor(normalized.color) + (stroke ? " RG" : " rg"));
  } else if (normalized.pattern_color.empty()) {
    // No colour goes with this pattern: a saved drawing state must not bring back the
    // colour of an earlier one.
    (stroke ? doc.graphics.line_pattern_color : doc.graphics.fill_pattern_color).clear();
    AppendContent(doc, std::string(stroke ? "/Pattern CS /" : "/Pattern cs /") +
                           PdfNameToken(normalized.color) + (stroke ? " SCN" : " scn"));
  } else if (normalized.pattern_color[0] == '#') {
    // An uncoloured pattern is painted in the colour that comes with it, through the
    // pattern colour space every resource dictionary declares as /xxCSxx.
    (stroke ? doc.graphics.line_pattern_color : doc.graphics.fill_pattern_color) =
        normalized.pattern_color;
    AppendContent(doc, std::string(stroke ? "/xxCSxx CS " : "/xxCSxx cs ") +
                           FormatColor(normalized.pattern_color) + " /" +
                           PdfNameToken(normalized.color) + (stroke ? " SCN" : " scn"));
  }
}

void Pagora::SetColorFill(const std::string& color) try {
  SetPaintColor(*doc_, color, /*stroke=*/false);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetColorLine(const std::string& color) try {
  SetPaintColor(*doc_, color, /*stroke=*/true);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetColorText(const std::string& color) try {
  if (color.empty() || doc_->graphics.uncoloured_tiling) return;
  NormalizedColor normalized = NormalizeColor(color);
  doc_->graphics.text_color = std::move(normalized.color);
  doc_->graphics.text_pattern_color = std::move(normalized.pattern_color);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

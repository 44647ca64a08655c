// Text boxes: wrapped paragraphs placed in a rectangle, with the rest returned.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"
#include "pdf/graphics/path_style.h"
#include "pdf/text/text_box_layout.h"
#include "pdf/text/text_output.h"

namespace pagora {
std::string Pagora::DrawTextBox(float x, float y, float width, float height,
                                const std::string& text, float indentation, int align,
                                int options) try {
  const float k = doc_->page.unit_factor;
  const float line_height = TextHeight() * k * doc_->fonts.text.line_spacing;
  if (options != 1) {
    AppendContent(*doc_, PathPoint(*doc_, x, y) + " " + PathPoint(*doc_, width, height) + " re");
    AppendContent(*doc_, PaintPath(options));
  }

  TextBoxFrame frame;
  frame.width = width;
  frame.indentation = indentation;
  frame.align = align;
  frame.line_height = line_height;
  frame.height = height > 0 ? height * k : 0;
  TextBoxLayout layout = LayoutTextBox(text, CurrentTextMeasure(doc_->fonts, k), frame);

  const auto lines = static_cast<float>(layout.lines.size());
  float first_bottom = y * k + line_height;
  if (align & kAlignMiddle) {
    first_bottom = line_height / 2 * (2 - lines) + (y + height / 2) * k;
  } else if (align & kAlignBottom) {
    first_bottom = (y + height) * k - (lines - 1) * line_height;
  }
  const float descent = TextDescent(*doc_);
  const float first_baseline = first_bottom + descent;

  float baseline = first_baseline;
  for (const TextBoxLine& line : layout.lines) {
    const int line_align = (line.last_of_paragraph && (align & kAlignJustify)) ? 1 : align;
    EmitText(*doc_, x, baseline / k, width, line.text, line.first_of_paragraph ? indentation : 0,
             line_align, /*new_line=*/false);
    baseline += line_height;
  }

  const float top = doc_->page.height - y * k;
  doc_->graphics.last_area = {x * k, top, (x + width) * k, top - lines * line_height};
  doc_->page.x = ToPoints(*doc_, x);
  doc_->page.y = ToPoints(*doc_, y + lines * line_height / k);
  return std::move(layout.rest);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

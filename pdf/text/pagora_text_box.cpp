// Text boxes: wrapped paragraphs placed in a rectangle, with the rest returned.
#include <string>

#include "pdf/core/pagora.h"
#include "pdf/graphics/path_style.h"
#include "pdf/text/text_box_layout.h"

namespace pagora {
namespace {

constexpr int kAlignBottom = 16;
constexpr int kAlignMiddle = 32;

}  // namespace

std::string Pagora::DrawTextBox(float x, float y, float width, float height,
                                const std::string& text, float indentation, int align,
                                int options) {
  const float k = page_.unit_factor;
  const float line_height = TextHeight() * k * fonts_.text.line_spacing;
  if (options != 1) {
    AppendContent(PathPoint(x, y) + " " + PathPoint(width, height) + " re");
    AppendContent(PaintPath(options));
  }

  TextBoxFrame frame;
  frame.width = width;
  frame.indentation = indentation;
  frame.align = align;
  frame.line_height = line_height;
  frame.height = height > 0 ? height * k : 0;
  TextBoxLayout layout = LayoutTextBox(text, CurrentTextMeasure(fonts_, k), frame);

  const auto lines = static_cast<float>(layout.lines.size());
  float first_bottom = y * k + line_height;
  if (align & kAlignMiddle) {
    first_bottom = line_height / 2 * (2 - lines) + (y + height / 2) * k;
  } else if (align & kAlignBottom) {
    first_bottom = (y + height) * k - (lines - 1) * line_height;
  }
  const FontRecord* font = fonts_.Current();
  const float descent =
      font != nullptr ? fonts_.size * static_cast<float>(font->descent) / 1000 : 0;
  const float first_baseline = first_bottom + descent;

  float baseline = first_baseline;
  for (const TextBoxLine& line : layout.lines) {
    const int line_align = (line.last_of_paragraph && (align & kAlignJustify)) ? 1 : align;
    EmitText(x, baseline / k, width, line.text, line.first_of_paragraph ? indentation : 0,
             line_align, /*new_line=*/false);
    baseline += line_height;
  }

  const float top = page_.height - y * k;
  graphics_.last_area = {x * k, top, (x + width) * k, top - lines * line_height};
  page_.x = ToPoints(x);
  page_.y = ToPoints(y + lines * line_height / k);
  return std::move(layout.rest);
}

}  // namespace pagora

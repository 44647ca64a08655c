// Gradient and tiling patterns.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/color.h"
#include "pdf/graphics/pattern_objects.h"

namespace pagora {
namespace {

void ListPattern(Document& doc, std::string_view name, int object) {
  doc.resources.patterns += "/" + PdfNameToken(name) + " " + std::to_string(object) + " 0 R \r";
}

}  // namespace

void Pagora::AddGradient(const std::string& alias, int style, const std::string& start_color,
                         const std::string& end_color, float x_start, float y_start, float x_end,
                         float y_end, float r_start, float r_end, bool extend_before,
                         bool extend_after) try {
  Document& doc = *doc_;
  const std::string start_operands = FormatColor(NormalizeColor(start_color).color);
  const std::string end_operands = FormatColor(NormalizeColor(end_color).color);

  // A pattern is fixed to the space of the stream it paints in, not to the current matrix:
  // on a page that is the unflipped page, so the matrix turns it into the top-down user
  // space of the page's content. A form object is drawn in that user space already; there
  // the gradient is flipped around the height inside the margins and flipped back.
  float matrix_e = doc.page.margin_left;
  float matrix_f = doc.page.height - doc.page.margin_top;
  if (doc.content.form_object_open) {
    const float inner_height = GetPageHeight(true);
    y_start = inner_height - y_start;
    y_end = inner_height - y_end;
    matrix_e = 0;
    matrix_f = ToPoints(doc, inner_height);
  }
  GradientGeometry geometry;
  geometry.radial = style == kGradientRadial;
  geometry.x_start = ToPoints(doc, x_start);
  geometry.y_start = ToPoints(doc, y_start);
  geometry.x_end = ToPoints(doc, x_end);
  geometry.y_end = ToPoints(doc, y_end);
  geometry.r_start = ToPoints(doc, r_start);
  geometry.r_end = ToPoints(doc, r_end);
  geometry.extend_before = extend_before;
  geometry.extend_after = extend_after;
  const std::string text =
      BuildGradientPattern(matrix_e, matrix_f, geometry, start_operands, end_operands);

  const int object = StartObject(doc);
  WriteLine(doc, text);
  FinishObject(doc);
  ListPattern(doc, TrimUpper(alias), object);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::BeginTiling(const std::string& alias, float x_min, float y_min, float x_max,
                         float y_max, float x_step, float y_step, int style) try {
  Document& doc = *doc_;
  if (!doc.content.tiling_pattern_open) {
    std::string dictionary = BuildTilingDictionary(
        ToPoints(doc, x_min), ToPoints(doc, y_min), ToPoints(doc, x_max), ToPoints(doc, y_max),
        ToPoints(doc, x_step), ToPoints(doc, y_step), style == kTilingColoured);
    const std::string prefix = TilingCellPrefix(ToPoints(doc, y_max - y_min));
    doc.graphics.reusable.tiling_name = TrimUpper(alias);
    doc.graphics.reusable.tiling_dictionary = std::move(dictionary);
    doc.content.tiling_pattern.Reset();
    doc.content.tiling_pattern.Append(prefix);
    doc.content.tiling_pattern_open = true;
  }
  doc.graphics.uncoloured_tiling = style == kTilingUncoloured;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndTiling() try {
  Document& doc = *doc_;
  // Without an open pattern there is no cell to write: an empty one would be a pattern
  // that paints nothing under a name the caller never gave.
  if (!doc.content.tiling_pattern_open) return;
  doc.content.tiling_pattern_open = false;
  doc.graphics.uncoloured_tiling = false;
  const int object = StartObject(doc);
  WriteLine(doc, doc.graphics.reusable.tiling_dictionary);
  WriteStream(doc, doc.content.tiling_pattern.Text(), 0, "", 0);
  FinishObject(doc);
  ListPattern(doc, doc.graphics.reusable.tiling_name, object);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

// Form fields and their scripts, document and page scripts.
#include <algorithm>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/graphics/color.h"
#include "pdf/interactive/annotation_writer.h"
#include "pdf/interactive/destination_view.h"
#include "pdf/interactive/form_field.h"
#include "pdf/interactive/form_writer.h"
#include "pdf/interactive/navigation.h"

namespace pagora {
namespace {

// The operands of the text colour for /DA; a pattern paints text in the colour given with
// it, and one without a colour in black.
std::string TextColorOperands(const GraphicsState& graphics) {
  if (IsSolidColor(graphics.text_color)) {
    return FormatColor(graphics.text_color);
  }
  if (IsSolidColor(graphics.text_pattern_color)) {
    return FormatColor(graphics.text_pattern_color);
  }
  return "0 0 0";
}

}  // namespace

void Pagora::AddField(const std::string& name, int kind, float x, float y, float width,
                      float height, const std::string& value, const std::string& extra,
                      const std::string& tooltip, std::int32_t flags) try {
  Document& doc = *doc_;
  FieldRequest request;
  request.name = name;
  request.kind = kind;
  request.box = UserAnnotationBox(doc, x, y, width, height);
  request.value = value;
  request.extra = extra;
  request.tooltip = tooltip;
  request.options = flags;
  request.fill_color = doc.graphics.fill_color;
  request.line_color = doc.graphics.line_color;
  // The size with a point whatever the locale: a comma would end the number in /DA.
  const float size = (flags & kFieldAutoSize) != 0 ? 0.0f : doc.fonts.size;
  const std::string text_color = TextColorOperands(doc.graphics);
  request.appearance =
      "/" + AnnotationFontName(doc) + " " + FormatNumber(size) + " Tf " + text_color + " rg ";

  FieldEntry field = BuildFieldEntry(request);
  const int da_font =
      doc.fonts.Current() != nullptr ? doc.fonts.current_index : StandardFontIndex(doc, "Arial");
  PrepareFieldAppearance(doc, field, request, da_font, text_color);
  if (kind == kFieldPushButton && !extra.empty()) {
    field.action =
        " /A << /S /JavaScript /JS " + std::to_string(WriteScriptObject(doc, extra)) + " 0 R >> ";
  }
  RequireVersion(doc, FieldVersionBump(flags));
  GrowAppendedTable(doc.forms.page_fields, doc.memory_factor);
  doc.forms.page_fields.push_back(std::move(field));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::OnFieldEvent(std::int32_t event, const std::string& field_name,
                          const std::string& script) try {
  Document& doc = *doc_;
  std::vector<FieldEntry>& fields = doc.forms.page_fields;
  if (script.empty() || event < 0 || event > 9) return;
  // A script no field takes would be an object nothing names.
  if (std::none_of(fields.begin(), fields.end(), [&](const FieldEntry& field) {
        return FieldNameMatches(field.name, field_name);
      })) {
    return;
  }
  AttachFieldScript(fields, event, field_name, WriteScriptObject(doc, script));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::OnDocEvent(int event, const std::string& script, bool replace) try {
  if (event < 0 || event >= kDocumentEventCount) return;
  std::string& slot = doc_->forms.scripts[static_cast<std::size_t>(event)];
  if (replace) {
    slot = script;
  } else {
    slot += script;
  }
  if (event >= kScriptWillClose && event <= kScriptDidSave) RequireVersion(*doc_, 1);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

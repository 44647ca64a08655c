// Form objects drawn once and placed many times, and the page templates made of them.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/form_objects.h"
#include "pdf/graphics/pattern_objects.h"

namespace pagora {

void Pagora::BeginObject(const std::string& alias, int options) try {
  Document& doc = *doc_;
  if (doc.content.form_object_open) return;
  std::vector<FormObjectEntry>& table = doc.graphics.reusable.form_objects;
  GrowAppendedTable(table, doc.memory_factor);
  table.push_back({alias, options, {}, false});
  doc.content.form_object.Reset();
  doc.content.form_object_open = true;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndObject() try {
  Document& doc = *doc_;
  // Nothing recorded, nothing to write: an empty object would take a name never given.
  if (!doc.content.form_object_open) return;
  FormObjectEntry& entry = doc.graphics.reusable.form_objects.back();
  const std::string name = PdfNameToken(entry.name);
  const int object = StartObject(doc);
  WriteLine(doc, BuildFormObjectDictionary(name, doc.page.width, doc.page.height));
  WriteStream(doc, doc.content.form_object.Text(), 0, "", 0);
  FinishObject(doc);
  doc.resources.form_objects += "/" + name + " " + std::to_string(object) + " 0 R \r";
  doc.content.form_object_open = false;
  entry.written = true;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::PlayObject(const std::string& name) try {
  AppendContent(*doc_, FormObjectPlacement(name));
} catch (...) {
  RethrowAsRuntimeError();
}

std::string FormObjectPlacement(std::string_view name) {
  return "q /" + PdfNameToken(name) + " Do Q";
}

void RegisterAnnotation(Document& doc, int object) {
  const std::string reference = std::to_string(object) + " 0 R ";
  if (doc.content.form_object_open) {
    doc.graphics.reusable.form_objects.back().annotations += reference;
  } else {
    doc.page.annotations += reference;
  }
}

void PlayTemplates(Document& doc, bool at_end) {
  if (!doc.content.page_open) return;
  for (const FormObjectEntry& entry : doc.graphics.reusable.form_objects) {
    if (!entry.written || !TemplateSelected(entry.options, doc.page.count, at_end)) continue;
    // Straight into the page: a form object recorded across the page break must not
    // receive the page's templates.
    doc.content.page.AppendByte('\r');
    doc.content.page.Append(FormObjectPlacement(entry.name));
    doc.page.annotations += entry.annotations;
  }
}

}  // namespace pagora

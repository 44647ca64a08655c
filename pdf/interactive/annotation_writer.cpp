#include "pdf/interactive/annotation_writer.h"

#include <optional>

#include "pdf/core/table_growth.h"
#include "pdf/graphics/form_objects.h"
#include "pdf/text/font_table.h"
#include "pdf/text/text_output.h"

namespace pagora {

int WriteAnnotation(Document& doc, std::string_view dictionary, std::string_view contents,
                    std::string_view title, std::string_view appearance, std::string_view target) {
  const std::optional<int> page = OpenPageObject(doc);
  const int object = StartObject(doc);
  std::string text(dictionary);
  if (!title.empty()) text += " /T " + EncodeTextString(doc, title);
  if (!contents.empty()) text += " /Contents " + EncodeTextString(doc, contents);
  if (!appearance.empty()) text += " /DA " + EncodeTextString(doc, appearance);
  if (target.starts_with("file:")) {
    text += " /A << /Type /Action /S /GoToR /F " + EncodeTextString(doc, target.substr(5)) +
            " /D [-1 /XYZ 0 0 0] >> ";
  } else if (!target.empty()) {
    text += " /A << /S /URI /URI " + EncodeTextString(doc, target) + " >> ";
  }
  if (page) text += " /P " + std::to_string(*page) + " 0 R";
  text += " >>";
  WriteLine(doc, text);
  FinishObject(doc);
  RegisterAnnotation(doc, object);
  return object;
}

int WriteScriptObject(Document& doc, std::string_view script) {
  const int object = StartObject(doc);
  WriteLine(doc, "<<");
  WriteStream(doc, script, 0, "", 0);
  FinishObject(doc);
  return object;
}

std::optional<int> OpenPageObject(Document& doc) {
  if (!doc.content.page_open || doc.content.form_object_open) return std::nullopt;
  if (!doc.page.reserved_object) doc.page.reserved_object = doc.writer.Reserve();
  return doc.page.reserved_object;
}

std::string AnnotationFontName(Document& doc) {
  if (doc.fonts.Current() != nullptr) return PdfNameToken(doc.fonts.current_name);
  const FontRequest request = ResolveFontRequest("Arial", 0, 0);
  std::vector<FontRecord>& fonts = doc.fonts.fonts;
  if (FindFont(fonts, request.key, 0) == 0) {
    FontRecord record = MakeFontRecord(request, 0, 0);
    WriteFontResource(doc, record, request.resource_name, {}, {});
    GrowAppendedTable(fonts, doc.memory_factor);
    fonts.push_back(std::move(record));
  }
  return PdfNameToken(request.resource_name);
}

}  // namespace pagora

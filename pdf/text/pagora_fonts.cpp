// Font selection and font resource objects.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/graphics/drawing.h"
#include "pdf/text/font_table.h"
#include "pdf/text/text_output.h"

namespace pagora {

void Pagora::SetFont(const std::string& family, float size, int style, int encoding) try {
  doc_->fonts.requested_name = family;
  doc_->fonts.style = style;
  if (size != 0) doc_->fonts.size = size;
  if (doc_->fonts.size == 0) doc_->fonts.size = 10;

  const FontRequest request = ResolveFontRequest(family, style, encoding);
  int index = FindFont(doc_->fonts.fonts, request.key, encoding);
  if (index == 0) {
    FontRecord record = MakeFontRecord(request, style, encoding);
    // Written before it is listed, so that a failed write leaves no record without object.
    WriteFontResource(*doc_, record, record.resource_name, {}, {});
    index = AppendFontRecord(*doc_, std::move(record));
  }
  doc_->fonts.current_name = doc_->fonts.fonts[static_cast<std::size_t>(index) - 1].resource_name;
  doc_->fonts.current_index = index;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetFontSize(float points) try { doc_->fonts.size = points; } catch (...) {
  RethrowAsRuntimeError();
}

int AppendFontRecord(Document& doc, FontRecord record) {
  std::vector<FontRecord>& fonts = doc.fonts.fonts;
  GrowAppendedTable(fonts, doc.memory_factor);
  fonts.push_back(std::move(record));
  return static_cast<int>(fonts.size());
}

int WriteFontResource(Document& doc, const FontRecord& record, std::string_view resource_name,
                      std::string_view program, std::string_view descriptor) {
  const int font_object = doc.writer.Reserve();
  const int descriptor_object = record.true_type ? doc.writer.Reserve() : 0;
  const int program_object = record.true_type && !program.empty() ? doc.writer.Reserve() : 0;
  StartObject(doc, font_object);
  for (const std::string& line : BuildFontObjectLines(record, resource_name, descriptor_object)) {
    WriteLine(doc, line);
  }
  FinishObject(doc);
  doc.resources.fonts +=
      "/" + PdfNameToken(resource_name) + " " + std::to_string(font_object) + " 0 R ";
  if (!record.true_type) return font_object;

  StartObject(doc, descriptor_object);
  WriteLine(doc, BuildFontDescriptorLine(record, descriptor));
  if (program.empty()) {
    WriteLine(doc, " >>");
    FinishObject(doc);
    return font_object;
  }
  WriteLine(doc, "/FontFile2 " + std::to_string(program_object) + " 0 R >>");
  FinishObject(doc);
  StartObject(doc, program_object);
  WriteLine(doc, "<<");
  WriteStream(doc, program, 0, "", static_cast<int>(program.size()));
  FinishObject(doc);
  return font_object;
}

}  // namespace pagora

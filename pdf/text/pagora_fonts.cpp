// Font selection and font resource objects.
#include <string>

#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/text/font_table.h"

namespace pagora {

void Pagora::SetFont(const std::string& family, float size, int style, int encoding) {
  fonts_.requested_name = family;
  fonts_.style = style;
  if (size != 0) fonts_.size = size;
  if (fonts_.size == 0) fonts_.size = 10;

  const FontRequest request = ResolveFontRequest(family, style, encoding);
  int index = FindFont(fonts_.fonts, request.key, encoding);
  if (index == 0) {
    FontRecord record = MakeFontRecord(request, style, encoding);
    // Written before it is listed, so that a failed write leaves no record without object.
    WriteFontResource(record, request.resource_name, {}, {});
    std::vector<FontRecord>& fonts = fonts_.fonts;
    if (fonts.size() == fonts.capacity()) {
      const int count = static_cast<int>(fonts.size());
      fonts.reserve(static_cast<std::size_t>(fonts.empty()
                                                 ? InitialTableSize(memory_factor_)
                                                 : GrownTableSize(count, memory_factor_)));
    }
    fonts.push_back(std::move(record));
    index = static_cast<int>(fonts.size());
  }
  fonts_.current_name = request.resource_name;
  fonts_.current_index = index;
}

void Pagora::SetFontSize(float points) {
  fonts_.size = points;
}

int Pagora::WriteFontResource(const FontRecord& record, std::string_view resource_name,
                              std::string_view program, std::string_view descriptor) {
  const int font_object = StartObject();
  for (const std::string& line : BuildFontObjectLines(record, resource_name, font_object)) {
    WriteLine(line);
  }
  FinishObject();
  resources_.fonts +=
      "/" + PdfNameToken(resource_name) + " " + std::to_string(font_object) + " 0 R ";
  if (!record.true_type) return font_object;

  const int descriptor_object = StartObject();
  WriteLine(BuildFontDescriptorLine(record, descriptor));
  if (program.empty()) {
    WriteLine(" >>");
    FinishObject();
    return font_object;
  }
  WriteLine("/FontFile2 " + std::to_string(descriptor_object + 1) + " 0 R >>");
  FinishObject();
  StartObject();
  WriteLine("<<");
  WriteStream(program, 0, "", static_cast<int>(program.size()));
  FinishObject();
  return font_object;
}

}  // namespace pagora

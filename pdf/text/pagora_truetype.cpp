// TrueType fonts: AddFont loads a font file and writes its font resource.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/file_input.h"
#include "pdf/core/pagora.h"
#include "pdf/text/font_table.h"
#include "pdf/text/text_output.h"
#include "pdf/text/truetype_font_record.h"
#include "pdf/text/truetype_reader.h"

namespace pagora {
namespace {

int TrueTypeStatusError(TrueTypeStatus status) {
  return status == TrueTypeStatus::kOverflow ? kOverflow : kInvalidFormat;
}

// `wanted`, or, when a record already lists a resource under it (a font loaded under a name
// SetFont had used, or loaded twice), `wanted`, a space and the new record's index: requests
// lose their spaces, so no later SetFont makes that name, and the earlier resource stays
// valid for the text drawn with it.
std::string UnusedResourceName(const std::vector<FontRecord>& fonts, const std::string& wanted) {
  const bool taken = std::any_of(fonts.begin(), fonts.end(), [&](const FontRecord& record) {
    return record.resource_name == wanted;
  });
  return taken ? wanted + " " + std::to_string(fonts.size() + 1) : wanted;
}

}  // namespace

void Pagora::AddFont(const std::string& ttf_file, const std::string& font_alias, bool embedded,
                     int encoding) try {
  Document& doc = *doc_;
  try {
    const std::vector<std::uint8_t> file = ReadWholeFile(ttf_file);
    const TrueTypeReadResult read = ReadTrueTypeFont(file, encoding);
    if (read.status != TrueTypeStatus::kOk) throw RuntimeError(TrueTypeStatusError(read.status));

    const FontRequest request =
        ResolveFontRequest(font_alias.empty() ? read.font.full_name : font_alias, 0, encoding);
    FontRecord record = MakeTrueTypeFontRecord(read.font, request, encoding);
    record.resource_name = UnusedResourceName(doc.fonts.fonts, record.resource_name);
    const std::string_view program =
        embedded ? std::string_view(reinterpret_cast<const char*>(file.data()), file.size())
                 : std::string_view();
    // Written before it is listed, so that a failed write registers nothing.
    WriteFontResource(doc, record, record.resource_name, program,
                      BuildTrueTypeDescriptor(read.font));
    AppendFontRecord(doc, std::move(record));
  } catch (const RuntimeError& e) {
    RecordError(doc, "AddFont", ttf_file, e);
  }
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

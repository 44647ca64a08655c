// Font requests, records and their resource objects.
#include "pdf/text/font_table.h"

#include <algorithm>

#include "pdf/core/ascii_case.h"
#include "pdf/text/standard_font_metrics.h"

namespace pagora {

std::string_view StyleSuffix(int style) {
  switch (style & 3) {
    case 1:
      return ",Bold";
    case 2:
      return ",Italic";
    case 3:
      return ",BoldItalic";
    default:
      return "";
  }
}

FontRequest ResolveFontRequest(std::string_view family, int style, std::int32_t encoding) {
  std::string compact;
  compact.reserve(family.size());
  for (const char c : family) {
    if (c != ' ') compact += c;
  }
  FontRequest request;
  request.resource_name = compact;
  if (const auto standard = StandardFamilyNamed(AsciiUpperCase(compact))) {
    request.family = StandardFamilyName(*standard);
    request.resource_name = request.family;
    if (FamilyHasStyles(*standard)) request.resource_name += StyleSuffix(style);
  } else {
    request.family = compact;
  }
  if (encoding == 1) request.resource_name.insert(0, "MAC");
  request.key = AsciiUpperCase(request.resource_name);
  return request;
}

int FindFont(const std::vector<FontRecord>& fonts, std::string_view key, std::int32_t encoding) {
  for (std::size_t i = fonts.size(); i > 0; --i) {
    if (fonts[i - 1].key == key && fonts[i - 1].encoding == encoding) return static_cast<int>(i);
  }
  return 0;
}

FontRecord MakeFontRecord(const FontRequest& request, int style, std::int32_t encoding) {
  const StandardFamily family =
      StandardFamilyNamed(AsciiUpperCase(request.family)).value_or(StandardFamily::kArial);
  FontRecord record;
  record.key = request.key;
  record.resource_name = request.resource_name;
  record.name = StandardFamilyName(family);
  if (FamilyHasStyles(family)) record.name += StyleSuffix(style);
  record.widths = StandardFaceWidths(FaceOf(family, style));
  const FamilyVerticalMetrics vertical = VerticalMetricsOf(family);
  record.height = vertical.height;
  record.descent = vertical.descent;
  record.encoding = encoding;
  return record;
}

std::vector<std::string> BuildFontObjectLines(const FontRecord& record,
                                              std::string_view resource_name,
                                              int descriptor_object) {
  std::vector<std::string> lines;
  lines.push_back("<< /Type /Font /Subtype /" +
                  std::string(record.true_type ? "TrueType" : "Type1") + " /Name /" +
                  PdfNameToken(resource_name) + " /BaseFont /" + PdfNameToken(record.name) +
                  " /FirstChar 0 /LastChar 255");
  const std::string upper_name = AsciiUpperCase(record.name);
  if (upper_name != "SYMBOL" && upper_name != "ZAPFDINGBATS") {
    lines.push_back(std::string("/Encoding << /Type /Encoding /BaseEncoding /") +
                    (record.encoding == 1 ? "MacRomanEncoding" : "WinAnsiEncoding") + ">>");
  }
  if (!record.true_type) {
    lines.emplace_back(" >>");
    return lines;
  }
  std::string block = "/FontDescriptor " + std::to_string(descriptor_object) + " 0 R\r/Widths [";
  for (std::size_t code = 0; code < record.widths.size(); ++code) {
    block += ' ';
    block += std::to_string(record.widths[code]);
    if (code % 16 == 15) block += '\r';
  }
  block += "]\r>>";
  lines.push_back(std::move(block));
  return lines;
}

std::string BuildFontDescriptorLine(const FontRecord& record, std::string_view descriptor) {
  return "<< /Type /FontDescriptor /FontName /" + PdfNameToken(record.name) + " " +
         std::string(descriptor) + " ";
}

}  // namespace pagora

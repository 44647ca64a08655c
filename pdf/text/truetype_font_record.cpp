// A TrueType font's record and descriptor entries, from the metrics its file gave.
#include "pdf/text/truetype_font_record.h"

#include <cmath>

#include "pdf/core/number_format.h"

namespace pagora {

std::string TrueTypeBaseName(const TrueTypeFont& font) {
  return font.full_name + std::string(StyleSuffix((font.Bold() ? 1 : 0) | (font.Italic() ? 2 : 0)));
}

FontRecord MakeTrueTypeFontRecord(const TrueTypeFont& font, const FontRequest& request,
                                  std::int32_t encoding) {
  FontRecord record;
  record.key = request.key;
  record.resource_name = request.resource_name;
  record.true_type = true;
  record.name = TrueTypeBaseName(font);
  record.widths = font.widths;
  record.height = static_cast<std::int16_t>(font.Height());
  record.descent = font.descent;
  record.encoding = encoding;
  return record;
}

std::string BuildTrueTypeDescriptor(const TrueTypeFont& font) {
  const auto integer = [](int value) { return std::to_string(value); };
  // floor, not truncation, so that a (damaged) negative ascent still halves downward.
  const int x_height = static_cast<int>(std::floor(font.ascent / 2.0));
  return "/Flags " + integer(font.Flags()) + " /FontBBox [" + integer(font.bbox.x_min) + " " +
         integer(font.bbox.y_min) + " " + integer(font.bbox.x_max) + " " +
         integer(font.bbox.y_max) + "] /MissingWidth " + integer(font.missing_width) + " /StemV " +
         integer(font.StemV()) + " /ItalicAngle " +
         FormatNumber(static_cast<float>(font.italic_angle)) + " /CapHeight " +
         integer(font.ascent) + " /XHeight  " + integer(x_height) + " /Ascent " +
         integer(font.ascent) + " /Descent " + integer(font.descent) + " /MaxWidth " +
         integer(font.max_width) + " /AvgWidth " + integer(font.avg_width);
}

}  // namespace pagora

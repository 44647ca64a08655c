#pragma once

#include <cstdint>
#include <string>

#include "pdf/text/font_state.h"
#include "pdf/text/font_table.h"
#include "pdf/text/truetype_reader.h"

namespace pagora {

// The /BaseFont of a TrueType font: its full name followed by ",Bold" (weight above 500),
// ",Italic" (italic angle not 0) or ",BoldItalic" for both.
std::string TrueTypeBaseName(const TrueTypeFont& font);

// The record AddFont registers for `font`. `request` is ResolveFontRequest(alias, 0,
// encoding), the alias being the font's full name when the caller gives none: the
// record takes its key and resource name, so SetFont with the same alias and encoding
// finds it (with "MAC" in front for Mac Roman, spaces removed). Widths, height (Ascent + |Descent|)
// and descent come from `font`.
FontRecord MakeTrueTypeFontRecord(const TrueTypeFont& font, const FontRequest& request,
                                  std::int32_t encoding);

// The descriptor entries after /FontName, in this order: /Flags, /FontBBox, /MissingWidth,
// /StemV, /ItalicAngle, /CapHeight (the ascent), /XHeight (half the ascent, rounded down),
// /Ascent, /Descent, /MaxWidth, /AvgWidth; for example "/Flags 32 /FontBBox [-1021 -463
// 1793 1232] /MissingWidth 600 /StemV 70 /ItalicAngle 0 /CapHeight 928 /XHeight  464
// /Ascent 928 /Descent -236 /MaxWidth 1877 /AvgWidth 508". BuildFontDescriptorLine puts it
// after the /FontName.
std::string BuildTrueTypeDescriptor(const TrueTypeFont& font);

}  // namespace pagora

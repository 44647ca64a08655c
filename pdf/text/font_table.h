#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/text_encoding.h"
#include "pdf/text/font_state.h"

namespace pagora {

// What a SetFont request names once the family is mapped and the style applied.
struct FontRequest {
  // "Arial", "CourierNew", "TimesNewRoman", "Symbol", "ZapfDingbats", or any other family
  // name with its spaces removed (a TrueType font, or an unknown name drawn with Arial).
  std::string family;
  // The family with ",Bold", ",Italic" or ",BoldItalic" for the three styled standard
  // families, and "MAC" in front for encoding 1.
  std::string resource_name;
  // The resource name upper-cased.
  std::string key;
};

// The suffix of style bits (1 bold, 2 italic) in a font name: ",Bold", ",Italic",
// ",BoldItalic" or nothing.
std::string_view StyleSuffix(int style);

// Maps a family text (spaces ignored, any case), style bits (1 bold, 2 italic) and
// encoding (1 Mac Roman, other WinAnsi) onto the record it selects.
FontRequest ResolveFontRequest(std::string_view family, int style, std::int32_t encoding);

// The index (from 1) of the newest record whose key equals `key` exactly and whose encoding
// equals `encoding`, or 0 when none does. Newest, because a font loaded under a key that
// SetFont had already used takes that key over.
int FindFont(const std::vector<FontRecord>& fonts, std::string_view key, std::int32_t encoding);

// A new record for a request that matched none: the standard family's metrics, Arial's for
// any other name. Its name is the standard family with the style suffix (for an unknown
// family, Arial with the suffix); its key and resource name are the request's, so that the
// same request finds it again.
FontRecord MakeFontRecord(const FontRequest& request, int style, std::int32_t encoding);

// The lines of the font object for `record` under `resource_name`, up to its closing
// ">>": the dictionary with /Subtype /Type1 or /TrueType, /Name, /BaseFont, codes 0..255,
// the /Encoding (WinAnsi or MacRoman) except for Symbol and ZapfDingbats, and for a
// TrueType font the /FontDescriptor (object `descriptor_object`) and /Widths.
std::vector<std::string> BuildFontObjectLines(const FontRecord& record,
                                              std::string_view resource_name,
                                              int descriptor_object);

// The opening line of a TrueType font's descriptor, "<< /Type /FontDescriptor /FontName
// /<name> <descriptor> ", completed by the font file reference or " >>".
std::string BuildFontDescriptorLine(const FontRecord& record, std::string_view descriptor);

}  // namespace pagora

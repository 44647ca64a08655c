#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "pdf/text/sfnt_bytes.h"

namespace pagora {

// A Windows format-4 subtable of a "cmap" table whose segment arrays lie inside the table.
struct Format4Map {
  SfntBytes cmap;             // the whole "cmap" table; offsets below are relative to it
  std::size_t end_codes = 0;  // offset of endCode[0]
  std::size_t seg_count = 0;  // segCountX2 / 2
  bool symbolic = false;      // encoding 0 (symbol) rather than 1 (Unicode BMP)
};

enum class CmapChoice { kFound, kNone, kBadTable };

struct CmapChoiceResult {
  CmapChoice choice = CmapChoice::kNone;
  Format4Map map;  // meaningful only when choice is kFound
};

// Chooses among the subtables of `cmap`: the Windows Unicode (3, 1) format-4 one, else the
// Windows symbol (3, 0) format-4 one. kBadTable when the record list, a Windows subtable's
// format field or the chosen subtable's segment arrays run past the table.
CmapChoiceResult ChooseWindowsFormat4(SfntBytes cmap);

// The glyph `map` gives to `character` (0 for none): the first segment whose endCode is at
// least the character decides, through idDelta or the glyph-index array. An index-array
// entry outside the table counts as no glyph.
std::uint16_t GlyphOfCharacter(const Format4Map& map, std::uint16_t character);

}  // namespace pagora

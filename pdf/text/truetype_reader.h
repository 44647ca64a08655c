#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace pagora {

// Why a TrueType file gave no metrics. The engine reports kOverflow as run-time error 6
// and every other reason as 321 (invalid file format).
enum class TrueTypeStatus {
  kOk,
  kTruncated,         // the file ends inside its header or table directory
  kMissingTable,      // one of OS/2, head, hhea, hmtx, glyf, loca, post, name, cmap is absent
  kTableOutsideFile,  // a directory entry places a table (partly) past the end of the file
  kBadTable,          // a table too short for its fields, or a count or offset running past it
  kNoWindowsCmap,     // no Windows (platform 3) format-4 character map for Unicode or symbols
  kNoFontName,        // no full name (name ID 4) in the chosen map's Windows encoding
  kOverflow,          // a width above 65535 or a line height above 32767 (1/1000 of the size)
};

// A box in 1/1000 of the font size.
struct FontBox {
  int x_min = 0;
  int y_min = 0;
  int x_max = 0;
  int y_max = 0;
};

// What a PDF font resource needs of a TrueType font. Lengths are in 1/1000 of the font
// size: the font's units × 1000 / unitsPerEm, rounded to the nearest integer, halves to
// even.
struct TrueTypeFont {
  // The full name (name ID 4), each UTF-16 character reduced to its low byte, with spaces
  // (and NUL bytes) left out: "Liberation Sans Bold" gives "LiberationSansBold".
  std::string full_name;
  // Advance width of each single-byte code (/Widths).
  std::array<std::uint16_t, 256> widths{};
  int ascent = 0;            // OS/2 usWinAscent (/Ascent, also /CapHeight)
  int descent = 0;           // minus OS/2 usWinDescent (/Descent), so 0 or negative
  int weight = 0;            // OS/2 usWeightClass, 100 to 900 in a sound font
  double italic_angle = 0;   // degrees, rounded to two decimals (/ItalicAngle)
  bool fixed_pitch = false;  // post isFixedPitch
  bool symbolic = false;     // the character map is the Windows symbol one (encoding 0)
  int max_width = 0;         // hhea advanceWidthMax (/MaxWidth)
  int avg_width = 0;         // OS/2 xAvgCharWidth (/AvgWidth)
  int missing_width = 0;     // advance width of glyph 0 (/MissingWidth)
  // Union of the boxes of the simple, non-empty glyphs that codes 0-255 draw (/FontBBox);
  // all zero when none has an outline.
  FontBox bbox;

  bool Bold() const { return weight > 500; }
  bool Italic() const { return italic_angle != 0; }
  // Ascent + |Descent|: the record's line height.
  int Height() const { return ascent - descent; }
  // /Flags: 64 italic, 1 fixed pitch, then 4 symbolic or 32 non-symbolic.
  int Flags() const;
  // /StemV: 120 for a bold weight, 70 otherwise (the font gives no stem width).
  int StemV() const { return Bold() ? 120 : 70; }
};

struct TrueTypeReadResult {
  TrueTypeStatus status = TrueTypeStatus::kBadTable;
  TrueTypeFont font;  // meaningful only when status is kOk
};

// Reads the metrics of a TrueType font file held in `file`.
//
// The glyph of each code comes from the Windows format-4 character map: the Unicode one
// (encoding 1, preferred) or the symbol one (encoding 0). In a Unicode map, code c is looked
// up as the character that c stands for in the single-byte encoding the font will be written
// with (`encoding` 1 Mac Roman, any other WinAnsi); in a symbol map as F000 hex + c, then as
// c itself when that has no glyph. Unmapped codes take glyph 0. Glyphs past the font's
// numberOfHMetrics take the last advance width.
//
// Never throws on bad input, never reads outside `file`, allocates only the name, and runs
// in time linear in the size of the file.
TrueTypeReadResult ReadTrueTypeFont(std::span<const std::uint8_t> file, std::int32_t encoding);

}  // namespace pagora

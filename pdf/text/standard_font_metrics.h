#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pagora {

// The fourteen faces whose Adobe metrics the engine carries.
enum class StandardFace {
  kHelvetica,
  kHelveticaBold,
  kHelveticaOblique,
  kHelveticaBoldOblique,
  kTimesRoman,
  kTimesBold,
  kTimesItalic,
  kTimesBoldItalic,
  kCourier,
  kCourierBold,
  kCourierOblique,
  kCourierBoldOblique,
  kSymbol,
  kZapfDingbats,
};

// Advance widths of codes 0..255 in 1/1000 of the font size, from the Adobe AFM files.
// Helvetica, Times and Courier are laid out by WinAnsi code (the same table serves their
// Mac-encoded fonts); Symbol and ZapfDingbats by their built-in encodings. Codes without a
// glyph carry a filler width per face (scripts/gen-font-widths says which).
const std::array<std::uint16_t, 256>& StandardFaceWidths(StandardFace face);

// The standard families a font request can name.
enum class StandardFamily { kArial, kCourierNew, kTimesNewRoman, kSymbol, kZapfDingbats };

// The family of an upper-cased family name without spaces: ARIAL or HELVETICA, COURIER or
// COURIERNEW, TIMES or TIMESNEWROMAN, SYMBOL, ZAPFDINGBATS. Anything else is not standard.
std::optional<StandardFamily> StandardFamilyNamed(std::string_view upper_name);

// The engine's name of a family: "Arial", "CourierNew", "TimesNewRoman", "Symbol",
// "ZapfDingbats".
std::string_view StandardFamilyName(StandardFamily family);

// Whether style bits 1 (bold) and 2 (italic) choose among four faces of the family.
bool FamilyHasStyles(StandardFamily family);

// The face drawn for a family and style (bits 1 bold, 2 italic; ignored by Symbol and
// ZapfDingbats).
StandardFace FaceOf(StandardFamily family, int style);

// Line height and descent of a family, in 1/1000 of the font size (descent negative).
struct FamilyVerticalMetrics {
  std::int16_t height;
  std::int32_t descent;
};
FamilyVerticalMetrics VerticalMetricsOf(StandardFamily family);

}  // namespace pagora

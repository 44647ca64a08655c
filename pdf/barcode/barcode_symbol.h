#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// The symbologies DrawBarCode knows, under their public codes.
enum class BarcodeSymbology {
  kEan13 = 0,
  kCode39 = 1,
  kInterleaved2Of5 = 2,
  kPostnet = 3,
  kCode128 = 4,
  kEan8 = 5,
};

// The symbology of a public code; none for a code that draws nothing.
std::optional<BarcodeSymbology> BarcodeSymbologyFromCode(int code);

enum class BarcodeStatus {
  kOk,
  // Drawn, but a character a numeric symbology uses was not a digit and went into the bars
  // as 0, so they carry another number than the text shows. The caller records error 13.
  kNonDigitReadAsZero,
  // The text holds a character the symbology cannot carry (Code 39: "[", "\", "]", "^",
  // "_", "`" and codes above 127; Code 128: 198). Nothing may be drawn: error 5.
  kUnencodableCharacter,
  // Code 128 text that is empty or holds a character outside 32 to 126 and 198: nothing
  // is drawn, the width is 0, and it is not an error.
  kNothingToDraw,
};

// Drawing status: true when the symbol has bars to draw.
inline bool HasBars(BarcodeStatus status) {
  return status == BarcodeStatus::kOk || status == BarcodeStatus::kNonDigitReadAsZero;
}

enum class BarKind : std::uint8_t {
  kSpace,
  kBar,       // the bar height
  kGuardBar,  // EAN guard bar: the bar height plus the text height, into the text line
  kFullBar,   // POSTNET full bar
  kHalfBar,   // POSTNET half bar, on the full bars' bottom line
};

// One bar or space, left to right. Its width counts modules X: runs of 1 to 4 in EAN and
// Code 128, narrow 1 or wide 3 in Code 39 and Interleaved 2 of 5. POSTNET lists only its
// bars, 1 module wide each; they stand at a fixed pitch, so its spaces are implied.
struct BarElement {
  BarKind kind = BarKind::kSpace;
  int modules = 1;

  bool operator==(const BarElement&) const = default;
};

// DrawText alignment codes the human-readable line uses.
inline constexpr int kBarcodeTextLeft = 1;
inline constexpr int kBarcodeTextCentred = 4;

// A piece of the human-readable line.
struct HumanReadableGroup {
  std::string text;
  // EAN: the anchor's distance in modules from the symbol's first module (after the left
  // quiet zone). Empty: centred between the left and right edges of the whole symbol.
  std::optional<int> module_offset;
  int alignment = kBarcodeTextCentred;
};

// What a symbology makes of a text, before any size or position is chosen.
struct BarcodeSymbol {
  BarcodeSymbology symbology = BarcodeSymbology::kEan13;
  BarcodeStatus status = BarcodeStatus::kOk;
  // Left to right from the first bar, start and stop patterns included; empty unless
  // HasBars(status).
  std::vector<BarElement> elements;
  // What the bars carry as a plain scanner reads them: every digit with the check digit
  // (EAN, Interleaved 2 of 5 with its leading zero, POSTNET), the full-ASCII sequence with
  // its check character (Code 39), the text (Code 128).
  std::string data;
  // The check character's value (digit, Code 39 character position, Code 128 symbol
  // value); none when the symbol has no check character.
  std::optional<int> check_value;
  // Code 128 only: the symbol values, start, switches, check and stop included.
  std::vector<int> code_values;
  // The human-readable line; drawn only when asked for.
  std::vector<HumanReadableGroup> text_groups;
};

// Encodes `text` (bytes, one character each) in `symbology`. `check_character` appends the
// optional check character of Code 39 and Interleaved 2 of 5; the other symbologies ignore
// it. Never fails on any input: the status tells what the caller must do.
BarcodeSymbol EncodeBarcode(BarcodeSymbology symbology, std::string_view text,
                            bool check_character);

}  // namespace pagora

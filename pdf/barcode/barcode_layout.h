#pragma once

#include <string>
#include <vector>

#include "pdf/barcode/barcode_symbol.h"

namespace pagora {

// Where and how large a symbol is drawn.
struct BarcodePlacement {
  float x = 0;  // user units: left edge of the symbol's box, quiet zone included
  float y = 0;  // user units: top edge, y growing downwards
  // Scales every size; clamped to 0.8 to 2.0 (anything not a number counts as 0.8).
  float magnification = 1;
  // User units: bars plus human-readable line; 0 selects the symbology's default bar
  // height. POSTNET ignores it.
  float height = 0;
  bool show_text = false;
  float unit_factor = 1;  // points per user unit, greater than 0
};

// A dark bar, filled whole: `re f*` of (x, y, width, height) in user units, (x, y) its
// top-left corner.
struct BarcodeRectangle {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;

  bool operator==(const BarcodeRectangle&) const = default;
};

// A piece of the human-readable line for DrawText: baseline at (x, y) in user units.
struct BarcodeText {
  float x = 0;
  float y = 0;
  std::string text;
  int alignment = kBarcodeTextCentred;  // DrawText alignment code: 1 left, 4 centred
};

struct BarcodeLayout {
  // In drawing order: one per dark module in EAN and Code 128 (adjacent modules are never
  // merged), one per bar in Code 39, Interleaved 2 of 5 and POSTNET.
  std::vector<BarcodeRectangle> rectangles;
  std::vector<BarcodeText> texts;  // empty unless the placement shows text
  float font_size = 0;             // points: regular CourierNew for `texts`
  float width = 0;                 // user units, quiet zones included
};

// Sizes and places `symbol`. Every size is a nominal point size times the clamped
// magnification divided by the unit factor. Module X: 0.936 (EAN), 0.72 (Code 39,
// Interleaved 2 of 5, Code 128), 1.44 (POSTNET bar width). Text height T: 4.68 when shown,
// else 0. Bar height: the height argument less T, or the default 64.8 (EAN-13), 48.96
// (EAN-8), 14.4 (others), and X when that leaves none; EAN guard bars add T. POSTNET bars
// are 9 or 3.6 high at a 3.6 pitch. A symbol without bars lays out empty, width 0.
BarcodeLayout LayoutBarcode(const BarcodeSymbol& symbol, const BarcodePlacement& placement);

}  // namespace pagora

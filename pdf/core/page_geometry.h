#pragma once

#include <optional>
#include <string_view>

namespace pagora {

// Width and height of a page in points.
struct PaperSize {
  float width;
  float height;
};

// The paper size of a code: 0..17 (A4 portrait 596 × 842, A4 landscape, A5, A6, A7, Letter,
// Tabloid, Ledger, Legal, Statement, Executive), -1..-8 (A3 to A0, landscape then portrait).
// Any other code, the user size 255 included, has no table entry.
std::optional<PaperSize> StandardPaperSize(int code);

// Points per user unit of a unit code: 0 point, 1 inch, 2 millimetre, 3 centimetre.
// Any other code, the user factor 255 included, has no table entry.
std::optional<float> StandardUnitFactor(int code);

// The page dictionary's rotation entry: 1 "/Rotate 270", 2 "/Rotate 180", 3 "/Rotate 90";
// empty for any other code.
std::string_view RotationEntry(int code);

}  // namespace pagora

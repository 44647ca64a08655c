#pragma once

#include <string>

namespace pagora {

// Where a destination looks on its page, in points of the PDF default space (y up).
struct ViewBox {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  float zoom_percent = 0;
};

// The view of a destination after its page reference, by destination type:
// 0 "/FitB", 1 "/FitV left", 2 "/FitH top", 3 "/FitR left top right bottom" (right = left +
// width, bottom = top - height), 4 "/XYZ left top zoom" (zoom as a factor, 150 → 1.5);
// any other type gives an empty text. Throws RuntimeError 6 when a number overflows.
std::string DestinationView(int type, const ViewBox& box);

}  // namespace pagora

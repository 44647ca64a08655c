#pragma once

namespace pagora {

// A box in points in the PDF default space (y up from the bottom of the page).
struct Area {
  float left = 0;    // x of the left edge
  float top = 0;     // y of the top edge
  float right = 0;   // x of the right edge
  float bottom = 0;  // y of the bottom edge
};

}  // namespace pagora

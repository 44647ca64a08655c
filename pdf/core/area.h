#pragma once

namespace pagora {

// A box in points in the PDF default space (y up from the bottom of the page).
struct Area {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
};

}  // namespace pagora

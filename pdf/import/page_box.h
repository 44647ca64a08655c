#pragma once

#include <optional>
#include <string_view>

namespace pagora {

// The part of a source page that viewers show, and how an imported page is fitted.
struct PageBox {
  double box[4] = {0, 0, 0, 0};  // llx lly urx ury in the page's own space, corners ordered
  // The form's /Matrix: turns the page as its /Rotate asks and moves the box onto
  // [0 0 width height].
  double matrix[6] = {1, 0, 0, 1, 0, 0};
  double width = 0;  // of the turned box, in points
  double height = 0;
};

// The page's box from the values of its (inherited) /MediaBox, /CropBox and /Rotate, empty
// texts for absent keys: the media box (Letter when absent, as viewers take it) cut to the
// crop box, then turned clockwise by /Rotate (a multiple of 90, any other value counts as
// 0). Nothing for a box that cannot be read, is empty (a side under 0.01 point), or has a
// coordinate beyond 10^6.
std::optional<PageBox> VisiblePageBox(std::string_view media_box, std::string_view crop_box,
                                      std::string_view rotate);

}  // namespace pagora

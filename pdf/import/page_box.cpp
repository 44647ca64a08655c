#include "pdf/import/page_box.h"

#include <algorithm>
#include <cmath>

#include "pdf/import/page_tree.h"
#include "pdf/import/parse_text.h"

namespace pagora {
namespace {

// Smaller boxes would be written as empty ones, three decimals being all a number keeps.
constexpr double kSmallestSide = 0.01;
// Far beyond any page (the format's own limit is 14 400 units) yet small enough that every
// number written from it stays exact to three decimals.
constexpr double kLargestCoordinate = 1e6;

std::optional<PageBox> OrderedBox(std::string_view text) {
  double corners[4];
  if (!ParseRectangle(text, corners)) return std::nullopt;
  for (const double c : corners) {
    if (!(std::fabs(c) <= kLargestCoordinate)) return std::nullopt;
  }
  PageBox page;
  page.box[0] = std::min(corners[0], corners[2]);
  page.box[1] = std::min(corners[1], corners[3]);
  page.box[2] = std::max(corners[0], corners[2]);
  page.box[3] = std::max(corners[1], corners[3]);
  return page;
}

// Clockwise quarter turns of /Rotate: 0 to 3.
int QuarterTurns(std::string_view rotate) {
  ParseText parse(rotate);
  const auto degrees = parse.ReadInteger();
  if (!degrees || *degrees % 90 != 0) return 0;
  return static_cast<int>((*degrees / 90 % 4 + 4) % 4);
}

}  // namespace

std::optional<PageBox> VisiblePageBox(std::string_view media_box, std::string_view crop_box,
                                      std::string_view rotate) {
  std::optional<PageBox> page =
      media_box.empty() ? OrderedBox("[0 0 612 792]") : OrderedBox(media_box);
  if (!page) return std::nullopt;
  double* box = page->box;
  if (const auto crop = OrderedBox(crop_box)) {
    const double cut[4] = {std::max(box[0], crop->box[0]), std::max(box[1], crop->box[1]),
                           std::min(box[2], crop->box[2]), std::min(box[3], crop->box[3])};
    // A crop box outside the media box is ignored, as viewers ignore it.
    if (cut[0] < cut[2] && cut[1] < cut[3]) std::copy(cut, cut + 4, box);
  }
  const double width = box[2] - box[0];
  const double height = box[3] - box[1];
  if (!(width >= kSmallestSide && height >= kSmallestSide)) return std::nullopt;
  const double llx = box[0], lly = box[1], urx = box[2], ury = box[3];
  const double matrices[4][6] = {{1, 0, 0, 1, -llx, -lly},
                                 {0, -1, 1, 0, -lly, urx},
                                 {-1, 0, 0, -1, urx, ury},
                                 {0, 1, -1, 0, ury, -llx}};
  const int turns = QuarterTurns(rotate);
  std::copy(matrices[turns], matrices[turns] + 6, page->matrix);
  page->width = turns % 2 == 0 ? width : height;
  page->height = turns % 2 == 0 ? height : width;
  return page;
}

}  // namespace pagora

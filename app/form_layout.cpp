#include "app/form_layout.h"

#include <algorithm>
#include <cmath>

namespace pannellonistica {
namespace {

constexpr int kScrollRange = kPanelHeight - kFrameHeight;  // twips the panel can move up
constexpr int kMarginAbove = 360;  // room for the caption label above a field
constexpr int kMarginBelow = 120;

}  // namespace

double PanelTopForScroll(int value) {
  return -(static_cast<double>(kScrollTop - value) / kScrollTop * kScrollRange);
}

int ScrollValueShowing(int top, int height, int value) {
  const double panel_top = PanelTopForScroll(value);
  double wanted = panel_top;
  if (top + panel_top < 0) {
    wanted = -(top - kMarginAbove);
  } else if (top + height + panel_top > kFrameHeight) {
    wanted = kFrameHeight - (top + height + kMarginBelow);
  }
  if (wanted == panel_top) return value;
  wanted = std::clamp(wanted, -static_cast<double>(kScrollRange), 0.0);
  // The inverse of PanelTopForScroll.
  return static_cast<int>(std::lround(kScrollTop + wanted / kScrollRange * kScrollTop));
}

}  // namespace pannellonistica

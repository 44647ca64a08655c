// The focus sequence ordered by position on the screen, as the form does when it loads.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pannellonistica {

struct TabStop {
  std::string name;  // the control's name, with its index: "Text1(3)", "Option1(0)"
  int top = 0;       // twips, inside its container
  int left = 0;
  // The container's position on the form, when the control lies in one other than the
  // form itself (one level only).
  std::optional<std::pair<int, int>> container_top_left;
};

// AutoTabOrder: the indexes into `controls` of those whose name contains "Text1",
// "Check1", "Check2", "Check3", "Option1", "Combo1" or "Combo2", sorted by top and then
// left (container position added), and without those whose name begins with "Image". The
// window gives them ascending tab positions in this order; others keep their place.
std::vector<size_t> AutoTabOrder(const std::vector<TabStop>& controls);

}  // namespace pannellonistica

#include "app/tab_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace pannellonistica {
namespace {

constexpr std::array<std::string_view, 7> kOrderedNames = {"Text1",   "Check1", "Check2", "Check3",
                                                           "Option1", "Combo1", "Combo2"};

bool TakesPart(const std::string& name) {
  return std::any_of(kOrderedNames.begin(), kOrderedNames.end(),
                     [&](std::string_view part) { return name.find(part) != std::string::npos; });
}

// Top formatted to five digits followed by left formatted to five digits, read as a number.
int64_t SortKey(const TabStop& control) {
  int64_t top = control.top;
  int64_t left = control.left;
  if (control.container_top_left) {
    top += control.container_top_left->first;
    left += control.container_top_left->second;
  }
  return top * 100000 + left;
}

}  // namespace

std::vector<size_t> AutoTabOrder(const std::vector<TabStop>& controls) {
  std::vector<size_t> order;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (TakesPart(controls[i].name)) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return SortKey(controls[a]) < SortKey(controls[b]); });
  std::erase_if(order, [&](size_t i) { return controls[i].name.starts_with("Image"); });
  return order;
}

}  // namespace pannellonistica

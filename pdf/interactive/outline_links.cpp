#include "pdf/interactive/outline_links.h"

#include <algorithm>
#include <array>

namespace pagora {

OutlineTree LinkOutline(std::span<const int> levels) {
  OutlineTree tree;
  tree.links.resize(levels.size());
  if (levels.empty()) return tree;

  // The latest item seen at each level. Recording an item clears the next deeper slot, so a
  // slot never names an item of a closed branch: a deeper item must reopen it first.
  std::array<int, kDeepestBookmarkLevel + 2> latest;
  latest.fill(-1);
  latest[0] = 0;
  int previous_level = 0;
  for (std::size_t j = 1; j < levels.size(); ++j) {
    const int item = static_cast<int>(j);
    const int level = std::clamp(levels[j], 1, std::min(previous_level + 1, kDeepestBookmarkLevel));
    previous_level = level;

    OutlineLinks& links = tree.links[j];
    if (const int sibling = latest[static_cast<std::size_t>(level)]; sibling >= 0) {
      tree.links[static_cast<std::size_t>(sibling)].next = item;
      links.prev = sibling;
    }
    latest[static_cast<std::size_t>(level)] = item;
    latest[static_cast<std::size_t>(level) + 1] = -1;

    const int parent = latest[static_cast<std::size_t>(level) - 1];
    links.parent = parent;
    OutlineLinks& parent_links = tree.links[static_cast<std::size_t>(parent)];
    if (parent_links.first < 0) parent_links.first = item;
    parent_links.last = item;
    if (level == 1) ++tree.top_children;
  }
  return tree;
}

}  // namespace pagora

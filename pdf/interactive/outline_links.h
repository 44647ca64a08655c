#pragma once

#include <span>
#include <vector>

namespace pagora {

// The deepest level an outline item may have; deeper requests are refused or clamped.
inline constexpr int kDeepestBookmarkLevel = 254;

// The links of one outline item, as indexes into the items; -1 for none.
struct OutlineLinks {
  int parent = -1;  // -1 only for the top item, whose parent is the outline dictionary
  int first = -1;   // first and last child
  int last = -1;
  int prev = -1;  // previous and next sibling
  int next = -1;
};

struct OutlineTree {
  std::vector<OutlineLinks> links;  // one per item, in item order
  int top_children = 0;             // the items of level 1: the top item's /Count
};

// Links the outline items from their levels, in order: item 0 is the top item (level 0)
// and every later item hangs below the latest item one level up. A later level below 1
// counts as 1 and one deeper than the item before it plus one (or than 254) counts as that
// limit, so every item has a parent whatever the levels say. Linear in the items.
OutlineTree LinkOutline(std::span<const int> levels);

}  // namespace pagora

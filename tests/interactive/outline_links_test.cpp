#include "pdf/interactive/outline_links.h"

#include <gtest/gtest.h>

#include <vector>

namespace pagora {
namespace {

// Each item's links as "parent first last prev next", -1 for none.
std::vector<std::vector<int>> Links(const std::vector<int>& levels, int* top_children = nullptr) {
  const OutlineTree tree = LinkOutline(levels);
  if (top_children != nullptr) *top_children = tree.top_children;
  std::vector<std::vector<int>> result;
  for (const OutlineLinks& l : tree.links)
    result.push_back({l.parent, l.first, l.last, l.prev, l.next});
  return result;
}

TEST(OutlineLinks, SiblingsAndChildren) {
  int top = 0;
  // The top item, then levels 1, 1, 2, 2, 1.
  EXPECT_EQ(Links({0, 1, 1, 2, 2, 1}, &top), (std::vector<std::vector<int>>{{-1, 1, 5, -1, -1},
                                                                            {0, -1, -1, -1, 2},
                                                                            {0, 3, 4, 1, 5},
                                                                            {2, -1, -1, -1, 4},
                                                                            {2, -1, -1, 3, -1},
                                                                            {0, -1, -1, 2, -1}}));
  EXPECT_EQ(top, 3);
}

TEST(OutlineLinks, ASiblingAfterADeeperBranchIsLinkedPastIt) {
  // 1, 2, 3, 3, 2, 1: the two level-2 items are siblings across the level-3 pair.
  const auto links = Links({0, 1, 2, 3, 3, 2, 1});
  EXPECT_EQ(links[2], (std::vector<int>{1, 3, 4, -1, 5}));
  EXPECT_EQ(links[5], (std::vector<int>{1, -1, -1, 2, -1}));
  EXPECT_EQ(links[1], (std::vector<int>{0, 2, 5, -1, 6}));
  // A level-2 item under a new level-1 parent is no sibling of the old branch's.
  const auto split = Links({0, 1, 2, 1, 2});
  EXPECT_EQ(split[2][4], -1);
  EXPECT_EQ(split[4][3], -1);
  EXPECT_EQ(split[4][0], 3);
}

TEST(OutlineLinks, LevelsOutOfRangeStillGiveEveryItemAParent) {
  // Level 0 after the top item, negative and too deep levels: each counts as the nearest
  // level that has a parent.
  int top = 0;
  const auto links = Links({0, 0, 7, -3, 300, 2}, &top);
  EXPECT_EQ(links[1][0], 0);  // 0 counts as 1
  EXPECT_EQ(links[2][0], 1);  // 7 after level 1 counts as 2
  EXPECT_EQ(links[3][0], 0);  // -3 counts as 1
  EXPECT_EQ(links[4][0], 3);  // 300 counts as 2
  EXPECT_EQ(links[5][0], 3);  // a sibling of the item before
  EXPECT_EQ(links[5][3], 4);
  EXPECT_EQ(top, 2);
  EXPECT_TRUE(LinkOutline({}).links.empty());
  EXPECT_EQ(Links({0}), (std::vector<std::vector<int>>{{-1, -1, -1, -1, -1}}));
}

TEST(OutlineLinks, DeepChainsReachTheDeepestLevel) {
  std::vector<int> levels{0};
  for (int level = 1; level <= 260; ++level) levels.push_back(level);
  const OutlineTree tree = LinkOutline(levels);
  // Items deeper than 254 become siblings at 254.
  EXPECT_EQ(tree.links[254].parent, 253);
  EXPECT_EQ(tree.links[255].parent, 253);
  EXPECT_EQ(tree.links[255].prev, 254);
  EXPECT_EQ(tree.links[253].last, 260);
  EXPECT_EQ(tree.top_children, 1);
}

}  // namespace
}  // namespace pagora

#include "pdf/codec/huffman_code.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>

namespace pagora::deflate {

namespace {

constexpr std::size_t kMaxSymbols = 288;
constexpr int kMaxCodeBits = 15;

struct Leaf {
  std::uint32_t frequency;
  std::uint16_t symbol;
};

// Unlimited Huffman code lengths of `leaves` (sorted by frequency, at least two) into
// `depths`, by the two-queue method: leaves and joined groups are each consumed in
// increasing weight, so the two lightest groups are always at the front of one queue.
void HuffmanDepths(std::span<const Leaf> leaves, std::span<int> depths) {
  const std::size_t leaf_count = leaves.size();
  std::array<std::uint64_t, kMaxSymbols> group_weight{};
  std::array<std::size_t, kMaxSymbols> group_parent{};
  std::array<std::size_t, kMaxSymbols> leaf_parent{};
  std::size_t next_leaf = 0;
  std::size_t next_group = 0;
  const std::size_t group_count = leaf_count - 1;
  for (std::size_t group = 0; group < group_count; ++group) {
    std::uint64_t weight = 0;
    for (int child = 0; child < 2; ++child) {
      const bool take_leaf =
          next_leaf < leaf_count &&
          (next_group == group || leaves[next_leaf].frequency <= group_weight[next_group]);
      if (take_leaf) {
        weight += leaves[next_leaf].frequency;
        leaf_parent[next_leaf++] = group;
      } else {
        weight += group_weight[next_group];
        group_parent[next_group++] = group;
      }
    }
    group_weight[group] = weight;
  }
  // The last group is the root; every other group was joined into a later one.
  std::array<int, kMaxSymbols> group_depth{};
  for (std::size_t group = group_count - 1; group-- > 0;) {
    group_depth[group] = group_depth[group_parent[group]] + 1;
  }
  for (std::size_t leaf = 0; leaf < leaf_count; ++leaf) {
    depths[leaf] = group_depth[leaf_parent[leaf]] + 1;
  }
}

// Brings the longest lengths of a complete code back within `max_length` (ITU-T T.81,
// K.3): two leaves at the deepest level become one a level up, and a shallower leaf
// splits to take the other. `count[n]` is the number of codes of length n.
bool LimitLengths(std::span<int> count, int longest, int max_length) {
  for (int length = longest; length > max_length; --length) {
    while (count[length] > 0) {
      int shorter = length - 2;
      while (shorter > 0 && count[shorter] == 0) --shorter;
      if (shorter == 0) return false;
      count[length] -= 2;
      count[length - 1] += 1;
      count[shorter + 1] += 2;
      count[shorter] -= 1;
    }
  }
  return true;
}

}  // namespace

bool FlateBuildLengths(std::span<const std::uint32_t> frequencies, int max_length,
                       std::span<std::uint8_t> lengths) {
  assert(frequencies.size() == lengths.size() && frequencies.size() <= kMaxSymbols);
  std::array<Leaf, kMaxSymbols> leaves;
  std::size_t leaf_count = 0;
  for (std::size_t symbol = 0; symbol < frequencies.size(); ++symbol) {
    if (frequencies[symbol] > 0) {
      leaves[leaf_count++] = {frequencies[symbol], static_cast<std::uint16_t>(symbol)};
    }
  }
  // A decoder needs a code of at least two symbols, even for data that uses one or none.
  for (std::size_t symbol = 0; leaf_count < 2 && symbol < frequencies.size(); ++symbol) {
    if (frequencies[symbol] == 0) leaves[leaf_count++] = {1, static_cast<std::uint16_t>(symbol)};
  }
  std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
  if (leaf_count < 2) return false;

  const std::span<Leaf> used(leaves.data(), leaf_count);
  std::stable_sort(used.begin(), used.end(),
                   [](const Leaf& a, const Leaf& b) { return a.frequency < b.frequency; });
  std::array<int, kMaxSymbols> depths{};
  HuffmanDepths(used, depths);

  // Symbols in the order of their unadjusted lengths, then by symbol.
  std::array<std::uint16_t, kMaxSymbols> order{};
  std::array<int, kMaxSymbols + 1> count{};
  int longest = 0;
  for (std::size_t i = 0; i < leaf_count; ++i) {
    order[i] = static_cast<std::uint16_t>(i);
    ++count[depths[i]];
    longest = std::max(longest, depths[i]);
  }
  std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(leaf_count),
            [&](std::uint16_t a, std::uint16_t b) {
              return depths[a] != depths[b] ? depths[a] < depths[b]
                                            : used[a].symbol < used[b].symbol;
            });
  if (!LimitLengths(count, longest, max_length)) return false;

  std::size_t next = 0;
  for (int length = 1; length <= std::min(longest, max_length); ++length) {
    for (int i = 0; i < count[length]; ++i) {
      lengths[used[order[next++]].symbol] = static_cast<std::uint8_t>(length);
    }
  }
  return true;
}

bool FlateAssignCodes(std::span<const std::uint8_t> lengths, std::span<HuffmanCode> codes) {
  assert(lengths.size() == codes.size());
  std::array<int, kMaxCodeBits + 1> count{};
  for (const std::uint8_t length : lengths) {
    if (length > kMaxCodeBits) return false;
    ++count[length];
  }
  count[0] = 0;
  int room = 1;
  for (int length = 1; length <= kMaxCodeBits; ++length) {
    room = 2 * room - count[length];
    if (room < 0) return false;
  }
  std::array<std::uint32_t, kMaxCodeBits + 1> next_code{};
  std::uint32_t code = 0;
  for (int length = 1; length <= kMaxCodeBits; ++length) {
    code = (code + static_cast<std::uint32_t>(count[length - 1])) << 1;
    next_code[length] = code;
  }
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    const int length = lengths[symbol];
    codes[symbol] = {};
    if (length == 0) continue;
    const std::uint32_t value = next_code[length]++;
    std::uint32_t reversed = 0;
    for (int bit = 0; bit < length; ++bit) reversed |= ((value >> bit) & 1u) << (length - 1 - bit);
    codes[symbol] = {static_cast<std::uint16_t>(reversed), static_cast<std::uint8_t>(length)};
  }
  return true;
}

}  // namespace pagora::deflate

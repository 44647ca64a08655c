#include "pdf/codec/match_index.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <unordered_map>
#include <vector>

#include "pdf/codec/lz77_pass.h"
#include "tests/codec/deflate_test_inputs.h"

namespace pagora::deflate {
namespace {

// The match index as the format's encoder describes it: per three-byte prefix, a list of
// at most `chain_length` positions, newest first, the oldest dropped when full.
class ReferenceIndex {
 public:
  ReferenceIndex(std::span<const std::uint8_t> input, int chain_length)
      : input_(input), chain_length_(chain_length) {}

  void Insert(std::uint32_t position) {
    auto& list = lists_[Key(position)];
    list.push_front(position);
    if (list.size() > static_cast<std::size_t>(chain_length_)) list.pop_back();
  }

  Match Longest(std::uint32_t position) const {
    Match best;
    const auto found = lists_.find(Key(position));
    if (found == lists_.end()) return best;
    const int limit = static_cast<int>(std::min<std::size_t>(258, input_.size() - 1 - position));
    for (const std::uint32_t candidate : found->second) {
      if (position - candidate > 32767) break;
      int length = 0;
      while (length < limit && input_[candidate + length] == input_[position + length]) ++length;
      if (length > best.length) best = {length, candidate};
    }
    return best;
  }

 private:
  std::uint32_t Key(std::uint32_t p) const {
    return input_[p] | input_[p + 1] << 8 | input_[p + 2] << 16;
  }
  std::span<const std::uint8_t> input_;
  int chain_length_;
  std::unordered_map<std::uint32_t, std::deque<std::uint32_t>> lists_;
};

// Every position is searched, then entered; the index must find what the reference finds,
// also across inputs long enough that the ring wraps, where chains pass through the
// positions of other prefixes that share their hash.
TEST(MatchIndexTest, FindsTheSameMatchesAsPlainPrefixLists) {
  std::mt19937 rng(8);
  using testing::InputShape;
  const struct {
    InputShape shape;
    std::size_t size;
  } inputs[] = {{InputShape::kRandom, 200000},
                {InputShape::kWords, 60000},
                {InputShape::kFewSymbols, 30000},
                {InputShape::kRepeatedBlocks, 100000},
                {InputShape::kCounters, 100000}};
  std::vector<std::vector<std::uint8_t>> all_inputs;
  for (const auto& [shape, size] : inputs)
    all_inputs.push_back(testing::MakeInput(shape, size, rng));
  // Short inputs get tables and rings sized to them; a random byte here and there among
  // three letters gives many prefixes to share them.
  for (const std::size_t size : {300, 3000}) {
    std::vector<std::uint8_t> input(size);
    for (auto& b : input) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() : 'A' + rng() % 3);
    all_inputs.push_back(input);
  }
  for (std::size_t which = 0; which < all_inputs.size(); ++which) {
    const auto& input = all_inputs[which];
    for (const int chain_length : {16, 256}) {
      MatchIndex index(input, chain_length);
      ReferenceIndex reference(input, chain_length);
      int mismatches = 0;
      for (std::uint32_t p = 0; p + 3 < input.size() && mismatches < 5; ++p) {
        MatchIndex::Walk walk = index.StartWalk(p);
        const Match found = index.FlateLongestMatch(walk, p, kMaxMatchLength + 1, Match{});
        const Match expected = reference.Longest(p);
        if (found.length != expected.length ||
            (expected.length >= 3 && found.position != expected.position)) {
          ADD_FAILURE() << "input " << which << " chain " << chain_length << " at " << p << ": "
                        << found.length << "@" << found.position << " vs " << expected.length << "@"
                        << expected.position;
          ++mismatches;
        }
        index.FlateInsertPosition(p);
        reference.Insert(p);
      }
    }
  }
}

}  // namespace
}  // namespace pagora::deflate

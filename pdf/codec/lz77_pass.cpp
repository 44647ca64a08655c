#include "pdf/codec/lz77_pass.h"

#include <algorithm>

#include "pdf/codec/match_index.h"

namespace pagora::deflate {

namespace {

// A 3-byte match this far back costs more bits than its three literals usually would.
constexpr std::uint32_t kMaxShortMatchDistance = 4096;
// Keeps a run's count clear of the bit that marks a match.
constexpr std::uint32_t kMaxLiteralRun = 1u << 30;

// Collects the tokens and counts the symbols. Literals are only counted as they come and
// become one run token when a match (or the end) closes the run.
class TokenSink {
 public:
  explicit TokenSink(Lz77Result& result, std::size_t input_size) : result_(result) {
    result_.tokens.reserve(input_size / 8 + 16);
  }

  void Literal(std::uint8_t byte) {
    ++result_.literal_length_frequencies[byte];
    ++pending_literals_;
  }

  void Match(int length, int distance) {
    CloseLiteralRun();
    ++result_.literal_length_frequencies[kFirstLengthSymbol +
                                         kLengthCodeIndex[length - kMinMatchLength]];
    ++result_.distance_frequencies[DistanceSymbol(distance)];
    result_.tokens.push_back(Token::Match(length, distance));
  }

  void CloseLiteralRun() {
    for (; pending_literals_ > kMaxLiteralRun; pending_literals_ -= kMaxLiteralRun) {
      result_.tokens.push_back(Token::LiteralRun(kMaxLiteralRun));
    }
    if (pending_literals_ > 0) {
      result_.tokens.push_back(Token::LiteralRun(static_cast<std::uint32_t>(pending_literals_)));
    }
    pending_literals_ = 0;
  }

 private:
  Lz77Result& result_;
  std::size_t pending_literals_ = 0;
};

}  // namespace

Lz77Result FindMatches(std::span<const std::uint8_t> input, const EffortRow& row) {
  Lz77Result result;
  TokenSink sink(result, input.size());
  const std::size_t size = input.size();
  // An input too large to index, never met in a document, is all literals, still valid.
  const bool indexable = size <= MatchIndex::kMaxInputSize;
  MatchIndex index(input.first(indexable ? size : 0), row.chain_length);
  // Positions up to here have a full prefix and can be entered into the index.
  const std::size_t last_indexed = size >= 3 ? size - 3 : 0;

  std::size_t position = 0;
  while (indexable && size - position >= 4) {
    const auto here = static_cast<std::uint32_t>(position);
    MatchIndex::Walk walk = index.StartWalk(here);
    index.Prefetch(here + 1);
    Match match = index.FlateLongestMatch(walk, here, row.first_stop_length, Match{});
    if (match.length >= kMinMatchLength && match.length < row.second_limit) {
      match = index.FlateLongestMatch(walk, here, row.second_limit, match);
    }

    std::uint32_t start = here;
    if (match.length >= kMinMatchLength && match.length < row.lazy_limit) {
      // Seeding the search with the current length finds the same longer match, if there
      // is one, as a search from scratch would, and rejects shorter candidates sooner.
      MatchIndex::Walk next_walk = index.StartWalk(here + 1);
      const Match next = index.FlateLongestMatch(next_walk, here + 1, row.lazy_limit, match);
      if (next.length > match.length) {
        sink.Literal(input[here]);
        index.FlateInsertPosition(here);
        start = here + 1;
        match = next;
      }
    }
    if (match.length == kMinMatchLength && start - match.position > kMaxShortMatchDistance) {
      match.length = 0;
    }

    if (match.length >= kMinMatchLength) {
      sink.Match(match.length, static_cast<int>(start - match.position));
      const std::size_t end = start + static_cast<std::size_t>(match.length);
      if (size - end >= 4) index.Prefetch(static_cast<std::uint32_t>(end));
      index.InsertPositions(start, static_cast<std::uint32_t>(std::min(end, last_indexed + 1)));
      position = end;
    } else {
      sink.Literal(input[start]);
      index.FlateInsertPosition(start);
      position = start + 1;
    }
  }
  for (; position < size; ++position) sink.Literal(input[position]);
  sink.CloseLiteralRun();
  result.literal_length_frequencies[kEndOfBlock] = 1;
  return result;
}

}  // namespace pagora::deflate

#include "pdf/codec/code_length_coding.h"

#include <cstddef>

namespace pagora::deflate {

std::vector<CodeLengthOp> CodeLengthOps(std::span<const std::uint8_t> lengths) {
  std::vector<CodeLengthOp> ops;
  ops.reserve(lengths.size());
  int previous = -1;
  std::size_t min_run = 4;
  std::size_t max_run = 7;
  if (!lengths.empty() && lengths[0] == 0) {
    min_run = 3;
    max_run = 138;
  }
  for (std::size_t start = 0; start < lengths.size();) {
    const std::uint8_t length = lengths[start];
    std::size_t run = 1;
    while (run < max_run && start + run < lengths.size() && lengths[start + run] == length) ++run;

    if (run < min_run) {
      for (std::size_t i = 0; i < run; ++i) ops.push_back({length, 0});
    } else if (length == 0) {
      if (run <= 10) {
        ops.push_back({kRepeatZero3, static_cast<std::uint8_t>(run - 3)});
      } else {
        ops.push_back({kRepeatZero11, static_cast<std::uint8_t>(run - 11)});
      }
    } else {
      std::size_t repeats = run;
      if (length != previous) {
        ops.push_back({length, 0});
        --repeats;
      }
      ops.push_back({kRepeatPrevious, static_cast<std::uint8_t>(repeats - 3)});
    }

    previous = length;
    start += run;
    if (start == lengths.size()) break;
    const std::uint8_t next = lengths[start];
    if (next == 0) {
      min_run = 3;
      max_run = 138;
    } else if (next == length) {
      min_run = 3;
      max_run = 6;
    } else {
      min_run = 4;
      max_run = 7;
    }
  }
  return ops;
}

void FlateScanTree(std::span<const std::uint8_t> lengths,
                   std::array<std::uint32_t, kCodeLengthSymbols>& frequencies) {
  for (const CodeLengthOp& op : CodeLengthOps(lengths)) ++frequencies[op.symbol];
}

void FlateSendTree(std::span<const std::uint8_t> lengths,
                   const std::array<HuffmanCode, kCodeLengthSymbols>& codes, BitWriter& writer) {
  for (const CodeLengthOp& op : CodeLengthOps(lengths)) {
    const HuffmanCode& code = codes[op.symbol];
    writer.PutBits(code.bits, code.length);
    const int extra_bits = CodeLengthExtraBits(op.symbol);
    if (extra_bits > 0) writer.PutBits(op.extra, extra_bits);
  }
}

}  // namespace pagora::deflate

#include "pdf/codec/run_length.h"

#include <cstddef>
#include <cstring>

namespace pagora {
namespace {

constexpr std::size_t kMaxRun = 128;
constexpr std::uint8_t kEndOfData = 128;

// A literal run ends before a byte that equals its successor, or at kMaxRun bytes; one
// that reaches the last byte keeps it. Every literal run that is neither capped nor
// final is thus followed by a repeat run of at least two bytes, which bounds the output.
std::size_t MaxEncodedSize(std::size_t n) {
  return n + n / 3 + 3;
}

}  // namespace

std::vector<std::uint8_t> EncodeRunLength(std::span<const std::uint8_t> input) {
  std::vector<std::uint8_t> output(MaxEncodedSize(input.size()));
  const std::uint8_t* const in = input.data();
  const std::size_t n = input.size();
  std::uint8_t* out = output.data();
  std::size_t i = 0;
  while (i < n) {
    if (i + 1 < n && in[i] == in[i + 1]) {
      std::size_t run = 2;
      while (run < kMaxRun && i + run < n && in[i + run] == in[i]) ++run;
      *out++ = static_cast<std::uint8_t>(257 - run);
      *out++ = in[i];
      i += run;
      continue;
    }
    // A literal run: here in[i] differs from its successor, or is the last byte.
    std::size_t run = 1;
    while (run < kMaxRun && i + run < n && (i + run + 1 == n || in[i + run] != in[i + run + 1])) {
      ++run;
    }
    *out++ = static_cast<std::uint8_t>(run - 1);
    std::memcpy(out, in + i, run);
    out += run;
    i += run;
  }
  *out++ = kEndOfData;
  output.resize(static_cast<std::size_t>(out - output.data()));
  return output;
}

}  // namespace pagora

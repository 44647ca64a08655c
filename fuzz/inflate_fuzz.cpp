// The Deflate decoder against zlib's on the same raw stream: both must write the same
// bytes and reach the same outcome. One difference is allowed: a code-length code with no
// code at all is refused at once, where zlib reads on and may first run out of input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/codec/inflate.h"
#include "tests/codec/zlib_oracle.h"

namespace {

using pagora::testing::OutcomeOf;
using pagora::testing::ZlibOutcome;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Keeps each run quick; the default limit is exercised by the unit tests.
constexpr std::size_t kFuzzOutputLimit = std::size_t{1} << 20;

}  // namespace

// Each input runs twice: under a roomy limit, and under one that most expanding streams
// reach, so that stopping at the limit is checked as often as finishing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> stream(data, size);
  for (const std::size_t limit : {kFuzzOutputLimit, size * 3}) {
    const pagora::InflateResult ours = pagora::InflateBytes(stream, limit);
    const pagora::testing::ZlibRawResult zlib = pagora::testing::ZlibRawInflate(stream, limit);
    Require(ours.bytes == zlib.bytes);
    const ZlibOutcome outcome = OutcomeOf(ours.status);
    Require(outcome == zlib.outcome ||
            (outcome == ZlibOutcome::kDataError && zlib.outcome == ZlibOutcome::kInputEnded));
  }
  return 0;
}

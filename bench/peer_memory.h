#pragma once

#include <malloc.h>

#include <algorithm>
#include <cstddef>

// Heap bytes in use right now, whoever allocated them (operator new and malloc alike), so
// that the engine and a C peer are measured the same way.
inline std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Tracks the peak of HeapInUse above a baseline, sampled by the caller.
class HeapPeak {
 public:
  HeapPeak() : baseline_(HeapInUse()) {}
  void Sample() { peak_ = std::max(peak_, HeapInUse() - std::min(HeapInUse(), baseline_)); }
  std::size_t peak() const { return peak_; }

 private:
  std::size_t baseline_;
  std::size_t peak_ = 0;
};

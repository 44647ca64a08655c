// Numbers are written for every coordinate: FormatNumber side by side with std::to_chars
// (shortest form) and snprintf("%.3f") over the same values.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <random>
#include <vector>

#include "pdf/core/number_format.h"

namespace {

const std::vector<float>& Coordinates() {
  static const std::vector<float> values = [] {
    std::mt19937 random(1);
    std::uniform_real_distribution<float> coordinate(-1000.0f, 3000.0f);
    std::vector<float> v(4096);
    for (float& x : v) x = coordinate(random);
    return v;
  }();
  return values;
}

void BM_FormatNumberTo(benchmark::State& state) {
  char out[pagora::kMaxNumberChars];
  std::size_t i = 0;
  const auto& values = Coordinates();
  for (auto _ : state) {
    benchmark::DoNotOptimize(pagora::FormatNumberTo(values[i++ & 4095], out));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatNumberTo);

void BM_FormatNumberString(benchmark::State& state) {
  std::size_t i = 0;
  const auto& values = Coordinates();
  for (auto _ : state) benchmark::DoNotOptimize(pagora::FormatNumber(values[i++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatNumberString);

void BM_ToCharsShortest(benchmark::State& state) {
  char out[64];
  std::size_t i = 0;
  const auto& values = Coordinates();
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::to_chars(out, out + sizeof out, values[i++ & 4095]).ptr);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToCharsShortest);

void BM_SnprintfFixed3(benchmark::State& state) {
  char out[64];
  std::size_t i = 0;
  const auto& values = Coordinates();
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%.3f", values[i++ & 4095]));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SnprintfFixed3);

}  // namespace

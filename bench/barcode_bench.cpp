// Code 128 symbols of 20 characters with their text lines, 100 to the page: symbols per
// second and bytes per symbol, at three document sizes to show that both grow linearly.
// No peer library draws barcodes into PDF content, so the figures stand alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/bench_files.h"
#include "pdf/core/pagora.h"

namespace {

using pagora::bench::FixedTime;

constexpr int kSymbolsPerPage = 100;

std::string OutputPath() {
  return "/tmp/pagora-bench-" + std::to_string(::getpid()) + "-barcodes.pdf";
}

// "PKG-" and 16 digits: set B for the prefix, then a switch to set C for the number.
std::string PackageCode(std::int64_t n) {
  char text[32];  // room for any 64-bit number; the inputs give 16 digits
  std::snprintf(text, sizeof text, "PKG-%016lld", static_cast<long long>(n * 7919));
  return text;
}

void BM_Code128Symbols_Pagora(benchmark::State& state) {
  const std::int64_t symbols = state.range(0);
  const std::string path = OutputPath();
  std::int32_t file_size = 0;
  for (auto _ : state) {
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    for (std::int64_t i = 0; i < symbols; ++i) {
      const int slot = static_cast<int>(i % kSymbolsPerPage);
      if (slot == 0) doc.BeginPage();
      float width = 0;
      doc.DrawBarCode(4, PackageCode(i), 10 + 146.0f * (slot % 4), 20 + 32.0f * (slot / 4), true, 1,
                      0, false, width);
    }
    doc.EndDoc();
    file_size = doc.FileSize();
  }
  std::remove(path.c_str());
  state.counters["symbols/s"] = benchmark::Counter(
      static_cast<double>(symbols * state.iterations()), benchmark::Counter::kIsRate);
  state.counters["file_bytes"] = static_cast<double>(file_size);
  state.counters["bytes/symbol"] = static_cast<double>(file_size) / static_cast<double>(symbols);
}
BENCHMARK(BM_Code128Symbols_Pagora)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

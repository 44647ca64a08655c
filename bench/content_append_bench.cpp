// Appending ten million content lines must stay linear: MB/s of the content router for
// one, two and ten million lines should be flat.
#include <benchmark/benchmark.h>

#include <string>

#include "pdf/core/content_streams.h"
#include "pdf/core/number_format.h"

namespace {

void BM_AppendContentLines(benchmark::State& state) {
  const auto lines = state.range(0);
  int64_t bytes = 0;
  for (auto _ : state) {
    pagora::ContentStreams content;
    content.page_open = true;
    char x[pagora::kMaxNumberChars];
    for (int64_t i = 0; i < lines; ++i) {
      std::string line(x, pagora::FormatNumberTo(static_cast<float>(i % 3000) * 0.25f, x));
      line += " 100.5 m";
      content.Append(line);
    }
    benchmark::DoNotOptimize(content.page.Text().data());
    bytes += static_cast<int64_t>(content.page.size());
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_AppendContentLines)
    ->Arg(1'000'000)
    ->Arg(2'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// MB/s of the four stream encoders on each corpus shape, with qpdf's RunLength encoder as
// the peer in the same run. Every encoder allocates its output once per call.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_RunLength.hh>
#include <span>
#include <vector>

#include "bench/stream_corpus.h"
#include "pdf/codec/ascii85.h"
#include "pdf/codec/ascii_hex.h"
#include "pdf/codec/lzw_encoder.h"
#include "pdf/codec/run_length.h"

namespace {

using pagora::bench::CorpusShape;

constexpr std::size_t kCorpusSize = 4 << 20;

const std::vector<std::uint8_t>& Corpus(const benchmark::State& state) {
  static const std::vector<std::uint8_t> corpora[] = {
      pagora::bench::MakeCorpus(CorpusShape::kText, kCorpusSize),
      pagora::bench::MakeCorpus(CorpusShape::kPdfContent, kCorpusSize),
      pagora::bench::MakeCorpus(CorpusShape::kImage, kCorpusSize),
      pagora::bench::MakeCorpus(CorpusShape::kRandom, kCorpusSize)};
  return corpora[state.range(0)];
}

// Runs `encode` over the corpus of the shape state.range(0), reporting input MB/s and the
// output size as a percentage of the input.
template <typename Encode>
void RunEncoder(benchmark::State& state, Encode encode) {
  const std::vector<std::uint8_t>& input = Corpus(state);
  std::size_t output_size = 0;
  for (auto _ : state) {
    output_size = encode(std::span<const std::uint8_t>(input));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["out%"] =
      100.0 * static_cast<double>(output_size) / static_cast<double>(input.size());
  state.SetLabel(pagora::bench::ShapeName(pagora::bench::kCorpusShapes[state.range(0)]));
}

void BM_EncodeRunLength(benchmark::State& state) {
  RunEncoder(state, [](auto in) { return pagora::EncodeRunLength(in).size(); });
}
void BM_QpdfRunLength(benchmark::State& state) {
  RunEncoder(state, [](auto in) {
    Pl_Buffer buffer("out");
    Pl_RunLength encoder("rl", &buffer, Pl_RunLength::a_encode);
    encoder.write(in.data(), in.size());
    encoder.finish();
    return buffer.getBufferSharedPointer()->getSize();
  });
}
void BM_EncodeLzw(benchmark::State& state) {
  const int level = static_cast<int>(state.range(1));
  RunEncoder(state, [level](auto in) { return pagora::EncodeLzw(in, level).size(); });
}
void BM_EncodeAscii85(benchmark::State& state) {
  RunEncoder(state, [](auto in) { return pagora::EncodeAscii85(in).size(); });
}
void BM_EncodeAsciiHex(benchmark::State& state) {
  RunEncoder(state, [](auto in) { return pagora::EncodeAsciiHex(in).size(); });
}

void EachShape(benchmark::internal::Benchmark* b) {
  for (int shape = 0; shape < 4; ++shape) b->Arg(shape);
}
void EachShapeAndLevel(benchmark::internal::Benchmark* b) {
  for (int shape = 0; shape < 4; ++shape) {
    for (const int level : {0, 3}) b->Args({shape, level});
  }
}

BENCHMARK(BM_EncodeRunLength)->Apply(EachShape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QpdfRunLength)->Apply(EachShape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeLzw)->Apply(EachShapeAndLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeAscii85)->Apply(EachShape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeAsciiHex)->Apply(EachShape)->Unit(benchmark::kMillisecond);

}  // namespace

// The Deflate decoder side by side with zlib and libdeflate on the same raw Deflate
// streams, made by zlib at levels 6 and 1 (level 1 leaves more literals and short matches).
// Rows report MB/s of decompressed output; the inputs are running text and page content,
// 1 MiB each, and a 4 KiB piece of page content, the size of a typical content stream.
// The engine returns a fresh vector per call; the peers write into a buffer made once.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/deflate_corpus.h"
#include "pdf/codec/inflate.h"

namespace {

using pagora::bench::Corpus;

struct Input {
  std::vector<std::uint8_t> original;
  std::vector<std::uint8_t> stream;  // raw Deflate
};

std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& data, int level) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  ::deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// Inputs by index: corpus (text, content, 4 KiB content) times zlib level (6, 1).
const Input& InputFor(int corpus, int level) {
  static std::vector<Input> inputs = [] {
    std::vector<Input> made;
    for (const int shape : {0, 1, 2}) {
      std::vector<std::uint8_t> original =
          pagora::bench::MakeCorpus(shape == 0 ? Corpus::kText : Corpus::kContent);
      if (shape == 2) original.resize(4096);
      for (const int zlib_level : {6, 1}) {
        made.push_back({original, RawDeflate(original, zlib_level)});
      }
    }
    return made;
  }();
  return inputs[static_cast<std::size_t>(corpus * 2 + (level == 6 ? 0 : 1))];
}

const char* kCorpusLabels[] = {"text", "content", "content 4k"};

template <typename Decode>
void Run(benchmark::State& state, Decode decode) {
  const int corpus = static_cast<int>(state.range(0));
  const int level = static_cast<int>(state.range(1));
  const Input& input = InputFor(corpus, level);
  std::vector<std::uint8_t> out(input.original.size());
  for (auto _ : state) {
    const std::size_t produced = decode(input, out);
    if (produced != input.original.size()) {
      state.SkipWithError("wrong output size");
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(input.original.size()));
  state.SetLabel(std::string(kCorpusLabels[corpus]) + ", zlib level " + std::to_string(level));
}

void BM_Pagora(benchmark::State& state) {
  Run(state, [](const Input& input, std::vector<std::uint8_t>&) {
    const pagora::InflateResult result = pagora::InflateBytes(input.stream);
    benchmark::DoNotOptimize(result.bytes.data());
    return result.status == pagora::InflateStatus::kOk ? result.bytes.size() : 0;
  });
}

void BM_Zlib(benchmark::State& state) {
  Run(state, [](const Input& input, std::vector<std::uint8_t>& out) -> std::size_t {
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = const_cast<Bytef*>(input.stream.data());
    z.avail_in = static_cast<uInt>(input.stream.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return status == Z_STREAM_END ? z.total_out : 0;
  });
}

void BM_Libdeflate(benchmark::State& state) {
  static libdeflate_decompressor* const decompressor = libdeflate_alloc_decompressor();
  Run(state, [](const Input& input, std::vector<std::uint8_t>& out) -> std::size_t {
    std::size_t produced = 0;
    const libdeflate_result result = libdeflate_deflate_decompress(
        decompressor, input.stream.data(), input.stream.size(), out.data(), out.size(), &produced);
    return result == LIBDEFLATE_SUCCESS ? produced : 0;
  });
}

// Rows grouped by input, the three decoders next to each other.
void RegisterAll() {
  for (int corpus = 0; corpus < 3; ++corpus) {
    for (const int level : {6, 1}) {
      benchmark::RegisterBenchmark("Pagora", BM_Pagora)->Args({corpus, level});
      benchmark::RegisterBenchmark("Zlib", BM_Zlib)->Args({corpus, level});
      benchmark::RegisterBenchmark("Libdeflate", BM_Libdeflate)->Args({corpus, level});
    }
  }
}

const bool registered = (RegisterAll(), true);

}  // namespace

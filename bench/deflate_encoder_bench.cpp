// The Deflate encoder side by side with its peers on the same inputs: level L against
// zlib level L + 4 (the same search effort), and libdeflate levels 1, 6 and 12. Each row
// reports MB/s and `ratio` (compressed size / input size); the engine's rows also report
// `mem/B`, the peak bytes allocated per input byte during one call.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdlib>
#include <map>
#include <new>
#include <vector>

#include "bench/deflate_corpus.h"
#include "pdf/codec/deflate_encoder.h"

namespace {

// Peak bytes allocated through operator new, reset around the engine's calls. zlib and
// libdeflate allocate with malloc and are not counted.
std::size_t live_bytes = 0;
std::size_t peak_bytes = 0;

}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<std::size_t*>(std::malloc(size + 16));
  if (block == nullptr) throw std::bad_alloc();
  *block = size;
  live_bytes += size;
  peak_bytes = std::max(peak_bytes, live_bytes);
  return reinterpret_cast<char*>(block) + 16;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - 16);
  live_bytes -= *block;
  std::free(block);
}
void operator delete[](void* pointer) noexcept {
  operator delete(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}

namespace {

using pagora::bench::Corpus;

const std::vector<std::uint8_t>& CorpusBytes(Corpus corpus) {
  static std::map<Corpus, std::vector<std::uint8_t>> corpora;
  auto [entry, inserted] = corpora.try_emplace(corpus);
  if (inserted) entry->second = pagora::bench::MakeCorpus(corpus);
  return entry->second;
}

template <typename Compress>
void Run(benchmark::State& state, Compress compress) {
  const auto corpus = static_cast<Corpus>(state.range(0));
  const std::vector<std::uint8_t>& input = CorpusBytes(corpus);
  std::size_t compressed = 0;
  for (auto _ : state) {
    compressed = compress(input);
    benchmark::DoNotOptimize(compressed);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["ratio"] = static_cast<double>(compressed) / static_cast<double>(input.size());
  state.SetLabel(std::string(pagora::bench::kCorpusNames[state.range(0)]));
}

void BM_Pagora(benchmark::State& state) {
  const int level = static_cast<int>(state.range(1));
  std::size_t peak = 0;
  Run(state, [&](const std::vector<std::uint8_t>& input) {
    const std::size_t before = live_bytes;
    peak_bytes = live_bytes;
    const std::size_t size = pagora::FlateEncode(input, level).size();
    peak = peak_bytes - before;
    return size;
  });
  state.counters["mem/B"] =
      static_cast<double>(peak) / static_cast<double>(pagora::bench::kCorpusBytes);
}

void BM_Zlib(benchmark::State& state) {
  const int level = static_cast<int>(state.range(1));
  Run(state, [&](const std::vector<std::uint8_t>& input) {
    static std::vector<Bytef> out;
    out.resize(compressBound(static_cast<uLong>(input.size())));
    uLongf size = static_cast<uLongf>(out.size());
    compress2(out.data(), &size, input.data(), static_cast<uLong>(input.size()), level);
    return static_cast<std::size_t>(size);
  });
}

void BM_Libdeflate(benchmark::State& state) {
  const int level = static_cast<int>(state.range(1));
  Run(state, [&](const std::vector<std::uint8_t>& input) {
    static std::vector<std::uint8_t> out;
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    out.resize(libdeflate_zlib_compress_bound(compressor, input.size()));
    const std::size_t size =
        libdeflate_zlib_compress(compressor, input.data(), input.size(), out.data(), out.size());
    libdeflate_free_compressor(compressor);
    return size;
  });
}

// Rows grouped by corpus, each engine level next to its zlib twin.
void RegisterAll() {
  for (int corpus = 0; corpus < 4; ++corpus) {
    for (int level = 0; level <= 3; ++level) {
      benchmark::RegisterBenchmark("Pagora", BM_Pagora)->Args({corpus, level});
      benchmark::RegisterBenchmark("Zlib", BM_Zlib)->Args({corpus, level + 4});
    }
    for (const int level : {1, 6, 12}) {
      benchmark::RegisterBenchmark("Libdeflate", BM_Libdeflate)->Args({corpus, level});
    }
  }
}

const bool registered = (RegisterAll(), true);

}  // namespace

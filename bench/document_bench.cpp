// Whole documents side by side with libharu: pages per second and peak heap for many
// short pages, and path operations per second.
#include <benchmark/benchmark.h>
#include <hpdf.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/peer_memory.h"
#include "pdf/core/pagora.h"

namespace {

using pagora::bench::FixedTime;
using pagora::bench::OutputPath;

void ReportPages(benchmark::State& state, int64_t pages, std::size_t peak_heap) {
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages * state.iterations()),
                                                 benchmark::Counter::kIsRate);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak_heap);
}

void BM_Pages_Pagora(benchmark::State& state) {
  const auto pages = state.range(0);
  const std::string path = OutputPath("pages");
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapPeak heap;
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    for (int64_t i = 0; i < pages; ++i) {
      doc.BeginPage();
      doc.SetColorFill("#336699");
      doc.DrawRect(50, 50, 200, 100, 5);
      doc.DrawLine(50, 200, 250, 200, 0);
      if (i % 100 == 0) heap.Sample();
    }
    doc.EndDoc();
    heap.Sample();
    peak = heap.peak();
  }
  std::remove(path.c_str());
  ReportPages(state, pages, peak);
}
BENCHMARK(BM_Pages_Pagora)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The cost of protection: 200 pages of text and rectangles, written plain (flags 0) and
// protected with permission `flags`, at Deflate `level` or, for -1, uncompressed.
void WriteProtectionDocument(const std::string& path, int level, int flags) {
  const std::string line(80, 'x');
  pagora::Pagora doc(FixedTime);
  if (level >= 0) doc.SetCompression(2, static_cast<std::uint8_t>(level));
  if (flags != 0) doc.SetProtection(flags, "owner", "");
  doc.BeginDoc(path);
  doc.SetFont("Helvetica", 10);
  for (int page = 0; page < 200; ++page) {
    doc.BeginPage();
    for (int i = 0; i < 60; ++i) doc.DrawText(40, 60 + 12 * i, line);
    for (int i = 0; i < 100; ++i) doc.DrawRect(40 + i, 800, 3, 3, 5);
  }
  doc.EndDoc();
}

// Uncompressed, plain and with 40- and 128-bit keys.
void BM_Protection_Pagora(benchmark::State& state) {
  const int flags = static_cast<int>(state.range(0));
  const std::string path = OutputPath("protected");
  for (auto _ : state) WriteProtectionDocument(path, -1, flags);
  std::remove(path.c_str());
  ReportPages(state, 200, 0);
}
BENCHMARK(BM_Protection_Pagora)->Arg(0)->Arg(4)->Arg(4096 | 4)->Unit(benchmark::kMillisecond);

// The same documents as alternating pairs, unprotected then protected (40-bit), each pair
// timed on the wall clock: `cost` is the median of the pair ratios minus one. On a shared
// machine this is steadier than comparing best times of separate runs. The argument is the
// Deflate level, or -1 for uncompressed streams.
void BM_ProtectionPairs_Pagora(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const std::string path = OutputPath("pairs");
  std::vector<double> ratios;
  double plain_seconds = 0;
  double protected_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    WriteProtectionDocument(path, level, 0);
    const auto middle = std::chrono::steady_clock::now();
    WriteProtectionDocument(path, level, 4);
    const auto end = std::chrono::steady_clock::now();
    const double plain = std::chrono::duration<double>(middle - start).count();
    const double protect = std::chrono::duration<double>(end - middle).count();
    plain_seconds += plain;
    protected_seconds += protect;
    ratios.push_back(protect / plain);
  }
  std::remove(path.c_str());
  std::sort(ratios.begin(), ratios.end());
  const auto count = static_cast<double>(state.iterations());
  state.counters["plain_ms"] = 1000 * plain_seconds / count;
  state.counters["protected_ms"] = 1000 * protected_seconds / count;
  state.counters["cost"] = ratios.empty() ? 0 : ratios[ratios.size() / 2] - 1;
}
BENCHMARK(BM_ProtectionPairs_Pagora)
    ->Arg(-1)
    ->Arg(2)
    ->Iterations(41)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Pages_Libharu(benchmark::State& state) {
  const auto pages = state.range(0);
  const std::string path = OutputPath("pages-haru");
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapPeak heap;
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    for (int64_t i = 0; i < pages; ++i) {
      HPDF_Page page = HPDF_AddPage(pdf);
      HPDF_Page_SetWidth(page, 596);
      HPDF_Page_SetHeight(page, 842);
      HPDF_Page_SetRGBFill(page, 0.2f, 0.4f, 0.6f);
      HPDF_Page_Rectangle(page, 50, 692, 200, 100);
      HPDF_Page_Fill(page);
      HPDF_Page_MoveTo(page, 50, 642);
      HPDF_Page_LineTo(page, 250, 642);
      HPDF_Page_Stroke(page);
      if (i % 100 == 0) heap.Sample();
    }
    HPDF_SaveToFile(pdf, path.c_str());
    heap.Sample();
    HPDF_Free(pdf);
    peak = heap.peak();
  }
  std::remove(path.c_str());
  ReportPages(state, pages, peak);
}
BENCHMARK(BM_Pages_Libharu)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One million path operations: a third lines, a third rectangles, a third curves, on pages of
// 10 000 operations each.
constexpr int kPathOperations = 1'000'000;
constexpr int kOperationsPerPage = 10'000;

void BM_Paths_Pagora(benchmark::State& state) {
  const std::string path = OutputPath("paths");
  for (auto _ : state) {
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    for (int i = 0; i < kPathOperations; ++i) {
      if (i % kOperationsPerPage == 0) doc.BeginPage();
      const float x = static_cast<float>(i % 500);
      switch (i % 3) {
        case 0:
          doc.DrawLine(x, 10.5f, x + 20, 30.25f, 0);
          break;
        case 1:
          doc.DrawRect(x, 40, 15.5f, 12, 5);
          break;
        default:
          doc.DrawCurve(1, x, 60, x + 5, 70.5f, x + 10, 60, 0);
      }
    }
    doc.EndDoc();
  }
  std::remove(path.c_str());
  state.counters["ops/s"] = benchmark::Counter(
      static_cast<double>(kPathOperations) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Paths_Pagora)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Paths_Libharu(benchmark::State& state) {
  const std::string path = OutputPath("paths-haru");
  for (auto _ : state) {
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    HPDF_Page page = nullptr;
    for (int i = 0; i < kPathOperations; ++i) {
      if (i % kOperationsPerPage == 0) page = HPDF_AddPage(pdf);
      const float x = static_cast<float>(i % 500);
      switch (i % 3) {
        case 0:
          HPDF_Page_MoveTo(page, x, 831.5f);
          HPDF_Page_LineTo(page, x + 20, 811.75f);
          HPDF_Page_Stroke(page);
          break;
        case 1:
          HPDF_Page_Rectangle(page, x, 790, 15.5f, 12);
          HPDF_Page_Fill(page);
          break;
        default:
          HPDF_Page_MoveTo(page, x, 782);
          HPDF_Page_CurveTo(page, x, 782, x + 5, 771.5f, x + 10, 782);
          HPDF_Page_Stroke(page);
      }
    }
    HPDF_SaveToFile(pdf, path.c_str());
    HPDF_Free(pdf);
  }
  std::remove(path.c_str());
  state.counters["ops/s"] = benchmark::Counter(
      static_cast<double>(kPathOperations) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Paths_Libharu)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

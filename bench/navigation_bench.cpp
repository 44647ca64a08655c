// Outlines and links side by side with libharu: a 1 000-page document with 10 000 bookmarks
// on five levels and one link to the next page on every page; time and peak heap.
#include <benchmark/benchmark.h>
#include <hpdf.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/peer_memory.h"
#include "pdf/core/pagora.h"

namespace {

using pagora::bench::FixedTime;
using pagora::bench::OutputPath;

constexpr int kPages = 1000;
constexpr int kBookmarksPerPage = 10;

// Levels 1 to 5 in turn: every level-1 item heads a chain four deep.
int LevelOf(int bookmark) {
  return bookmark % 5 + 1;
}

std::string TitleOf(int bookmark) {
  return "Sezione " + std::to_string(bookmark + 1);
}

void Report(benchmark::State& state, std::size_t peak_heap) {
  state.counters["bookmarks/s"] = benchmark::Counter(
      static_cast<double>(kPages * kBookmarksPerPage) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak_heap);
}

void BM_Navigation_Pagora(benchmark::State& state) {
  const std::string path = OutputPath("navigation");
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapPeak heap;
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    int bookmark = 0;
    for (int page = 0; page < kPages; ++page) {
      doc.BeginPage();
      for (int i = 0; i < kBookmarksPerPage; ++i, ++bookmark) {
        doc.AddBookmark(TitleOf(bookmark), LevelOf(bookmark), pagora::kDestinationXyz, 0,
                        static_cast<float>(60 * i), 0, 0, 100);
      }
      doc.DrawRect(50, 50, 100, 20, pagora::kPathFill);
      doc.LinkTo("page:+1", 0, pagora::kHighlightInvert, pagora::kDestinationFitPage);
      if (page % 100 == 0) heap.Sample();
    }
    doc.EndDoc();
    heap.Sample();
    peak = heap.peak();
  }
  std::remove(path.c_str());
  Report(state, peak);
}
BENCHMARK(BM_Navigation_Pagora)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Navigation_Libharu(benchmark::State& state) {
  const std::string path = OutputPath("navigation-haru");
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapPeak heap;
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    // Links go forward, so every page exists before the first link is made.
    std::vector<HPDF_Page> pages;
    for (int page = 0; page < kPages; ++page) {
      pages.push_back(HPDF_AddPage(pdf));
      HPDF_Page_SetWidth(pages.back(), 596);
      HPDF_Page_SetHeight(pages.back(), 842);
    }
    std::array<HPDF_Outline, 6> parents{};
    int bookmark = 0;
    for (int page = 0; page < kPages; ++page) {
      for (int i = 0; i < kBookmarksPerPage; ++i, ++bookmark) {
        const int level = LevelOf(bookmark);
        HPDF_Outline item = HPDF_CreateOutline(pdf, level == 1 ? nullptr : parents[level - 1],
                                               TitleOf(bookmark).c_str(), nullptr);
        HPDF_Destination destination = HPDF_Page_CreateDestination(pages[page]);
        HPDF_Destination_SetXYZ(destination, 0, static_cast<HPDF_REAL>(842 - 60 * i), 1);
        HPDF_Outline_SetDestination(item, destination);
        parents[level] = item;
      }
      HPDF_Page_SetRGBFill(pages[page], 0.2f, 0.4f, 0.6f);
      HPDF_Page_Rectangle(pages[page], 50, 772, 100, 20);
      HPDF_Page_Fill(pages[page]);
      HPDF_Destination next = HPDF_Page_CreateDestination(pages[std::min(page + 1, kPages - 1)]);
      HPDF_Destination_SetFit(next);
      HPDF_Annotation link =
          HPDF_Page_CreateLinkAnnot(pages[page], HPDF_Rect{50, 772, 150, 792}, next);
      HPDF_LinkAnnot_SetHighlightMode(link, HPDF_ANNOT_INVERT_BOX);
      if (page % 100 == 0) heap.Sample();
    }
    HPDF_SaveToFile(pdf, path.c_str());
    heap.Sample();
    HPDF_Free(pdf);
    peak = heap.peak();
  }
  std::remove(path.c_str());
  Report(state, peak);
}
BENCHMARK(BM_Navigation_Libharu)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

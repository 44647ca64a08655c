// Form fields side by side with libharu: a form of 50, 100 and 200 pages with 50 fields on
// every page and a keystroke script on every fifth field; time and peak heap. libharu
// writes no form fields, so its side writes as many text annotations in the same boxes: a
// peer for the object traffic, not for the feature.
#include <benchmark/benchmark.h>
#include <hpdf.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/bench_files.h"
#include "bench/peer_memory.h"
#include "pdf/core/pagora.h"

namespace {

using pagora::bench::FixedTime;
using pagora::bench::OutputPath;

constexpr int kFieldsPerPage = 50;
constexpr int kScriptEvery = 5;

// Two columns of 25 boxes, 15 points high.
float FieldX(int field) {
  return field % 2 == 0 ? 40.0f : 300.0f;
}
float FieldY(int field) {
  return 40.0f + static_cast<float>(field / 2) * 30.0f;
}

void Report(benchmark::State& state, std::size_t peak_heap) {
  state.counters["fields/s"] =
      benchmark::Counter(static_cast<double>(state.range(0) * kFieldsPerPage) *
                             static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak_heap);
}

void BM_Forms_Pagora(benchmark::State& state) {
  const std::string path = OutputPath("forms");
  std::size_t peak = 0;
  const int pages = static_cast<int>(state.range(0));
  for (auto _ : state) {
    HeapPeak heap;
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    for (int page = 0; page < pages; ++page) {
      doc.BeginPage();
      doc.SetFont("Helvetica", 10);
      for (int field = 0; field < kFieldsPerPage; ++field) {
        const std::string name = "p" + std::to_string(page) + ".f" + std::to_string(field);
        doc.AddField(name, pagora::kFieldText, FieldX(field), FieldY(field), 200, 15, "valore",
                     "40", "Campo " + std::to_string(field), 0);
        if (field % kScriptEvery == 0) {
          doc.OnFieldEvent(pagora::kFieldKeystroke, name,
                           "AFNumber_Keystroke(2, 0, 0, 0, '', true);");
        }
      }
      if (page % 10 == 0) heap.Sample();
    }
    doc.EndDoc();
    heap.Sample();
    peak = heap.peak();
  }
  std::remove(path.c_str());
  Report(state, peak);
}
BENCHMARK(BM_Forms_Pagora)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Forms_Libharu_TextAnnotations(benchmark::State& state) {
  const std::string path = OutputPath("forms-haru");
  std::size_t peak = 0;
  const int pages = static_cast<int>(state.range(0));
  for (auto _ : state) {
    HeapPeak heap;
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    for (int page = 0; page < pages; ++page) {
      HPDF_Page sheet = HPDF_AddPage(pdf);
      HPDF_Page_SetWidth(sheet, 596);
      HPDF_Page_SetHeight(sheet, 842);
      for (int field = 0; field < kFieldsPerPage; ++field) {
        const float left = FieldX(field);
        const float top = 842 - FieldY(field);
        const std::string text = "valore " + std::to_string(field);
        HPDF_Page_CreateTextAnnot(sheet, HPDF_Rect{left, top - 15, left + 200, top}, text.c_str(),
                                  nullptr);
      }
      if (page % 10 == 0) heap.Sample();
    }
    HPDF_SaveToFile(pdf, path.c_str());
    heap.Sample();
    HPDF_Free(pdf);
    peak = heap.peak();
  }
  std::remove(path.c_str());
  Report(state, peak);
}
BENCHMARK(BM_Forms_Libharu_TextAnnotations)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

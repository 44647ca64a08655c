// Reusable graphics side by side with libharu drawing the same content directly: a form
// object placed 100 times on each of 1000 pages, and a 20 × 50 table on each of 1000 pages.
// Time, pages per second and the file's size; both writers leave streams uncompressed.
#include <benchmark/benchmark.h>
#include <hpdf.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/bench_files.h"
#include "pdf/core/pagora.h"

namespace {

using pagora::bench::FixedTime;
using pagora::bench::OutputPath;

constexpr int kPages = 1000;
constexpr float kPageHeight = 842;

void Report(benchmark::State& state, const std::string& path) {
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(kPages) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::remove(path.c_str());
}

// The placed drawing: a framed badge of 12 bars and a diagonal, 40 × 30 points.
constexpr int kBars = 12;
constexpr int kPlacementsPerPage = 100;  // 10 × 10 on the page

void DrawBadge(pagora::Pagora& doc) {
  doc.SetColorFill("#336699");
  doc.SetColorLine("#993300");
  doc.SetLineWidth(0.5f);
  doc.DrawRect(0, 0, 40, 30, 0);
  for (int i = 0; i < kBars; ++i) doc.DrawRect(2 + 3 * i, 4, 1.5f, 22, 5);
  doc.DrawLine(0, 30, 40, 0, 0);
}

void BM_FormObject_Pagora(benchmark::State& state) {
  const std::string path = OutputPath("form");
  for (auto _ : state) {
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    doc.BeginObject("Badge");
    DrawBadge(doc);
    doc.EndObject();
    for (int page = 0; page < kPages; ++page) {
      doc.BeginPage();
      for (int i = 0; i < kPlacementsPerPage; ++i) {
        doc.BeginSpace(static_cast<float>(50 * (i % 10)), static_cast<float>(80 * (i / 10)));
        doc.PlayObject("Badge");
        doc.EndSpace();
      }
    }
    doc.EndDoc();
  }
  Report(state, path);
}
BENCHMARK(BM_FormObject_Pagora)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FormObject_Libharu(benchmark::State& state) {
  const std::string path = OutputPath("form-haru");
  for (auto _ : state) {
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    for (int p = 0; p < kPages; ++p) {
      HPDF_Page page = HPDF_AddPage(pdf);
      HPDF_Page_SetWidth(page, 596);
      HPDF_Page_SetHeight(page, kPageHeight);
      for (int i = 0; i < kPlacementsPerPage; ++i) {
        const float x = static_cast<float>(50 * (i % 10));
        const float top = kPageHeight - static_cast<float>(80 * (i / 10));
        HPDF_Page_GSave(page);
        HPDF_Page_SetRGBFill(page, 0.2f, 0.4f, 0.6f);
        HPDF_Page_SetRGBStroke(page, 0.6f, 0.2f, 0);
        HPDF_Page_SetLineWidth(page, 0.5f);
        HPDF_Page_Rectangle(page, x, top - 30, 40, 30);
        HPDF_Page_Stroke(page);
        for (int b = 0; b < kBars; ++b) {
          HPDF_Page_Rectangle(page, x + 2 + 3 * static_cast<float>(b), top - 26, 1.5f, 22);
          HPDF_Page_Fill(page);
        }
        HPDF_Page_MoveTo(page, x, top - 30);
        HPDF_Page_LineTo(page, x + 40, top);
        HPDF_Page_Stroke(page);
        HPDF_Page_GRestore(page);
      }
    }
    HPDF_SaveToFile(pdf, path.c_str());
    HPDF_Free(pdf);
  }
  Report(state, path);
}
BENCHMARK(BM_FormObject_Libharu)->Unit(benchmark::kMillisecond)->UseRealTime();

// A table of 50 rows of 20 cells, 25 × 15 points, filled and framed.
constexpr int kRows = 50;
constexpr int kColumns = 20;
constexpr float kCellWidth = 25;
constexpr float kCellHeight = 15;

void BM_Table_Pagora(benchmark::State& state) {
  const std::string path = OutputPath("table");
  for (auto _ : state) {
    pagora::Pagora doc(FixedTime);
    doc.BeginDoc(path);
    for (int page = 0; page < kPages; ++page) {
      doc.BeginPage();
      doc.SetLineWidth(0.5f);
      doc.SetColorFill("#EEEEEE");
      doc.BeginTable(48, 46);
      for (int row = 0; row < kRows; ++row) {
        doc.BeginRow(kCellHeight);
        for (int column = 0; column < kColumns; ++column) {
          doc.BeginColumn(kCellWidth);
          doc.EndColumn();
        }
        doc.EndRow();
      }
      doc.EndTable();
    }
    doc.EndDoc();
  }
  Report(state, path);
}
BENCHMARK(BM_Table_Pagora)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Table_Libharu(benchmark::State& state) {
  const std::string path = OutputPath("table-haru");
  for (auto _ : state) {
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    for (int p = 0; p < kPages; ++p) {
      HPDF_Page page = HPDF_AddPage(pdf);
      HPDF_Page_SetWidth(page, 596);
      HPDF_Page_SetHeight(page, kPageHeight);
      HPDF_Page_SetLineWidth(page, 0.5f);
      HPDF_Page_SetRGBFill(page, 0.933f, 0.933f, 0.933f);
      for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
          const float x = 48 + kCellWidth * static_cast<float>(column);
          const float bottom = kPageHeight - 46 - kCellHeight * static_cast<float>(row + 1);
          HPDF_Page_GSave(page);
          HPDF_Page_Concat(page, 1, 0, 0, 1, x, bottom);
          HPDF_Page_Rectangle(page, 0.25f, 0.25f, kCellWidth - 0.5f, kCellHeight - 0.5f);
          HPDF_Page_Fill(page);
          HPDF_Page_Rectangle(page, 0, 0, kCellWidth, kCellHeight);
          HPDF_Page_Stroke(page);
          HPDF_Page_GRestore(page);
        }
      }
    }
    HPDF_SaveToFile(pdf, path.c_str());
    HPDF_Free(pdf);
  }
  Report(state, path);
}
BENCHMARK(BM_Table_Libharu)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

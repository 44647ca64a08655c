// Text pages side by side with libharu, and text boxes whose cost must grow linearly with
// the length of the text.
#include <benchmark/benchmark.h>
#include <hpdf.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "pdf/core/pagora.h"

namespace {

using pagora::bench::OutputPath;

constexpr int kPages = 200;
constexpr int kLinesPerPage = 60;
constexpr int kRectanglesPerPage = 100;
constexpr int kStrokesPerPage = 20;

// Lines of about 80 characters, different from one another.
std::vector<std::string> SampleLines() {
  std::vector<std::string> lines;
  for (int i = 0; i < kLinesPerPage; ++i) {
    lines.push_back("Line " + std::to_string(i) +
                    ": the quick brown fox jumps over the lazy dog, then rests (" +
                    std::to_string(i * 37 % 1000) + ") ok.");
  }
  return lines;
}

void Report(benchmark::State& state, const std::string& path) {
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(kPages) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fseek(file, 0, SEEK_END);
    state.counters["bytes"] = static_cast<double>(std::ftell(file));
    std::fclose(file);
  }
  std::remove(path.c_str());
}

void BM_TextPages_Pagora(benchmark::State& state) {
  const std::vector<std::string> lines = SampleLines();
  const std::string path = OutputPath("text");
  for (auto _ : state) {
    pagora::Pagora doc([] { return pagora::LocalTime{2026, 12, 7, 10, 30, 15}; });
    // Argument 1: Flate at level 2, whose search matches zlib's default level that libharu uses.
    if (state.range(0) != 0) doc.SetCompression(0x02, 2);
    doc.BeginDoc(path);
    doc.SetFont("Helvetica", 10);
    for (int page = 0; page < kPages; ++page) {
      doc.BeginPage();
      for (int i = 0; i < kLinesPerPage; ++i) doc.DrawText(40, 60 + i * 12.5f, lines[i]);
      doc.SetColorFill("#336699");
      for (int i = 0; i < kRectanglesPerPage; ++i) {
        doc.DrawRect(static_cast<float>(40 + i % 10 * 50), static_cast<float>(20 + i / 10 * 8), 40,
                     5, 5);
      }
      for (int i = 0; i < kStrokesPerPage; ++i) {
        doc.DrawLine(40, static_cast<float>(800 + i), 550, static_cast<float>(800 + i), 0);
      }
    }
    doc.EndDoc();
  }
  Report(state, path);
}
BENCHMARK(BM_TextPages_Pagora)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TextPages_Libharu(benchmark::State& state) {
  const std::vector<std::string> lines = SampleLines();
  const std::string path = OutputPath("text-haru");
  for (auto _ : state) {
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf, state.range(0) != 0 ? HPDF_COMP_ALL : HPDF_COMP_NONE);
    HPDF_Font font = HPDF_GetFont(pdf, "Helvetica", "WinAnsiEncoding");
    for (int page_number = 0; page_number < kPages; ++page_number) {
      HPDF_Page page = HPDF_AddPage(pdf);
      HPDF_Page_SetWidth(page, 596);
      HPDF_Page_SetHeight(page, 842);
      for (int i = 0; i < kLinesPerPage; ++i) {
        HPDF_Page_BeginText(page);
        HPDF_Page_SetFontAndSize(page, font, 10);
        HPDF_Page_TextOut(page, 40, 842 - (60 + i * 12.5f), lines[i].c_str());
        HPDF_Page_EndText(page);
      }
      HPDF_Page_SetRGBFill(page, 0.2f, 0.4f, 0.6f);
      for (int i = 0; i < kRectanglesPerPage; ++i) {
        HPDF_Page_Rectangle(page, static_cast<float>(40 + i % 10 * 50),
                            static_cast<float>(842 - 25 - i / 10 * 8), 40, 5);
        HPDF_Page_Fill(page);
      }
      for (int i = 0; i < kStrokesPerPage; ++i) {
        HPDF_Page_MoveTo(page, 40, static_cast<float>(42 - i));
        HPDF_Page_LineTo(page, 550, static_cast<float>(42 - i));
        HPDF_Page_Stroke(page);
      }
    }
    HPDF_SaveToFile(pdf, path.c_str());
    HPDF_Free(pdf);
  }
  Report(state, path);
}
BENCHMARK(BM_TextPages_Libharu)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// 200 pages, each one text box of `words` words, justified and unlimited in height: the
// bytes of text per second must not fall as the boxes grow.
void BM_TextBoxPages(benchmark::State& state) {
  const auto words = state.range(0);
  std::string text;
  for (int64_t i = 0; i < words; ++i) {
    text += (i % 7 == 0) ? "precipitevolissimevolmente " : "citt\xE0 ";
    if (i % 50 == 49) text += "\r\n";
  }
  const std::string path = OutputPath("boxes");
  for (auto _ : state) {
    pagora::Pagora doc([] { return pagora::LocalTime{2026, 12, 7, 10, 30, 15}; });
    doc.BeginDoc(path);
    doc.SetFont("Times", 10);
    for (int page = 0; page < kPages; ++page) {
      doc.BeginPage();
      benchmark::DoNotOptimize(doc.DrawTextBox(40, 40, 500, 0, text, 10, 64, 1));
    }
    doc.EndDoc();
  }
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * kPages *
                          static_cast<int64_t>(state.iterations()));
  Report(state, path);
}
BENCHMARK(BM_TextBoxPages)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

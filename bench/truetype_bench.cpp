// Loading a TrueType font and measuring text with it, side by side with libharu.
#include <benchmark/benchmark.h>
#include <hpdf.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pdf/core/file_input.h"
#include "pdf/core/pagora.h"
#include "pdf/text/text_measure.h"
#include "pdf/text/truetype_font_record.h"
#include "pdf/text/truetype_reader.h"

namespace {

// DejaVu Sans, about 700 KB and 6 000 glyphs.
constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kMeasures = 10000;

// Every single-byte code but 0, which a C string cannot carry.
std::string AllCodes() {
  std::string text;
  for (int code = 1; code < 256; ++code) text += static_cast<char>(code);
  return text;
}

// 80 characters with accented letters.
const std::string kLine =
    "Quel vituperabile xenofobo zelante assaggia il whisky ed esclama: alleluja, per\xF2";

// The whole file read, the metrics of all 256 codes taken and the descriptor built.
void BM_TrueTypeLoad_Pagora(benchmark::State& state) {
  for (auto _ : state) {
    const std::vector<std::uint8_t> file = pagora::ReadWholeFile(kFontPath);
    const pagora::TrueTypeReadResult result = pagora::ReadTrueTypeFont(file, 0);
    if (result.status != pagora::TrueTypeStatus::kOk) state.SkipWithError("font refused");
    benchmark::DoNotOptimize(pagora::BuildTrueTypeDescriptor(result.font));
  }
}
BENCHMARK(BM_TrueTypeLoad_Pagora)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A document begun in the temporary folder and abandoned after `work`: Abort removes its
// file.
template <typename Work>
void InScratchDocument(pagora::Pagora& doc, Work work) {
  static const std::string path =
      (std::filesystem::temp_directory_path() / "truetype_bench.pdf").string();
  doc.BeginDoc(path);
  work();
  doc.Abort();
}

// AddFont as a caller sees it: the file read, the metrics taken, the font object, its
// descriptor and (argument 1) the whole file as its font program written to the document.
void BM_AddFont_Pagora(benchmark::State& state) {
  pagora::Pagora doc;
  const bool embed = state.range(0) != 0;
  bool refused = false;
  // Abort clears the error number, so the first load is checked before it.
  InScratchDocument(doc, [&] {
    doc.AddFont(kFontPath, "", embed);
    refused = doc.ErrNumber() != 0;
  });
  if (refused) state.SkipWithError("font refused");
  for (auto _ : state) {
    InScratchDocument(doc, [&] { doc.AddFont(kFontPath, "", embed); });
  }
}
BENCHMARK(BM_AddFont_Pagora)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What the AddFont loop spends on beginning and abandoning the document, to subtract.
void BM_EmptyDocument_Pagora(benchmark::State& state) {
  pagora::Pagora doc;
  for (auto _ : state) InScratchDocument(doc, [] {});
}
BENCHMARK(BM_EmptyDocument_Pagora)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Argument 1 embeds the font. Loading alone leaves libharu's widths unread, so the font is
// also bound to WinAnsi and all 255 codes measured: the work the Pagora loop does.
void BM_TrueTypeLoad_Libharu(benchmark::State& state) {
  const std::string codes = AllCodes();
  const HPDF_BOOL embed = state.range(0) != 0 ? HPDF_TRUE : HPDF_FALSE;
  for (auto _ : state) {
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    const char* name = HPDF_LoadTTFontFromFile(pdf, kFontPath, embed);
    HPDF_Font font = HPDF_GetFont(pdf, name, "WinAnsiEncoding");
    benchmark::DoNotOptimize(HPDF_Font_TextWidth(font,
                                                 reinterpret_cast<const HPDF_BYTE*>(codes.data()),
                                                 static_cast<HPDF_UINT>(codes.size())));
    HPDF_Free(pdf);
  }
}
BENCHMARK(BM_TrueTypeLoad_Libharu)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What libharu's loop spends on the document alone, to subtract.
void BM_EmptyDocument_Libharu(benchmark::State& state) {
  for (auto _ : state) HPDF_Free(HPDF_New(nullptr, nullptr));
}
BENCHMARK(BM_EmptyDocument_Libharu)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_TrueTypeTextLength_Pagora(benchmark::State& state) {
  const std::vector<std::uint8_t> file = pagora::ReadWholeFile(kFontPath);
  const pagora::TrueTypeReadResult result = pagora::ReadTrueTypeFont(file, 0);
  const pagora::TextMeasure measure{&result.font.widths, 12, {}, 1};
  for (auto _ : state) {
    for (int i = 0; i < kMeasures; ++i) benchmark::DoNotOptimize(measure.Length(kLine));
  }
}
BENCHMARK(BM_TrueTypeTextLength_Pagora)->Unit(benchmark::kMicrosecond)->UseRealTime();

// TextLength as a caller sees it: the current font's record, its size and text state.
void BM_TextLength_Pagora(benchmark::State& state) {
  pagora::Pagora doc;
  InScratchDocument(doc, [&] {
    doc.BeginPage();
    doc.AddFont(kFontPath);
    doc.SetFont("DejaVu Sans", 12);
    if (doc.ErrNumber() != 0) state.SkipWithError("font refused");
    for (auto _ : state) {
      for (int i = 0; i < kMeasures; ++i) benchmark::DoNotOptimize(doc.TextLength(kLine));
    }
  });
}
BENCHMARK(BM_TextLength_Pagora)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_TrueTypeTextLength_Libharu(benchmark::State& state) {
  HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
  HPDF_Font font =
      HPDF_GetFont(pdf, HPDF_LoadTTFontFromFile(pdf, kFontPath, HPDF_FALSE), "WinAnsiEncoding");
  const auto* bytes = reinterpret_cast<const HPDF_BYTE*>(kLine.data());
  for (auto _ : state) {
    for (int i = 0; i < kMeasures; ++i) {
      const HPDF_TextWidth width =
          HPDF_Font_TextWidth(font, bytes, static_cast<HPDF_UINT>(kLine.size()));
      benchmark::DoNotOptimize(static_cast<float>(width.width) * 12 / 1000);
    }
  }
  HPDF_Free(pdf);
}
BENCHMARK(BM_TrueTypeTextLength_Libharu)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

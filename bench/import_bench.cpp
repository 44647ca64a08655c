// Importing every page of a 100-page PDF into a new document and writing it, side by side
// with qpdf copying the same pages (QPDFPageDocumentHelper::addPage of foreign pages) into
// an empty PDF. The source is made once from a pdfTeX manual (26 pages repeated, sharing
// their fonts, as qpdf --pages joins them). Rows report pages/s and the peak heap above the
// start, sampled after each page and after the writing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <string>

#include "bench/peer_memory.h"
#include "pdf/core/pagora.h"

namespace {

namespace fs = std::filesystem;
constexpr int kPages = 100;

const fs::path& Folder() {
  static const fs::path folder = [] {
    const fs::path made = fs::temp_directory_path() / "pagora-import-bench";
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

const std::string& SourcePdf() {
  static const std::string path = [] {
    const std::string source = (Folder() / "source-100.pdf").string();
    const std::string manual = PAGORA_BENCH_PDF;
    const std::string command = "qpdf --empty --pages " + manual + " " + manual + " " + manual +
                                " " + manual + " 1-22 -- " + source;
    if (std::system(command.c_str()) != 0) std::abort();
    return source;
  }();
  return path;
}

void Report(benchmark::State& state, std::size_t peak_heap) {
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(kPages * state.iterations()),
                                                 benchmark::Counter::kIsRate);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak_heap);
}

void BM_PagoraImportPage(benchmark::State& state) {
  const std::string source = SourcePdf();
  const std::string out = (Folder() / "pagora.pdf").string();
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapPeak heap;
    pagora::Pagora doc([] { return pagora::LocalTime{2026, 1, 2, 3, 4, 5}; });
    doc.SetCompression(static_cast<int>(state.range(0)), 1);
    doc.BeginDoc(out);
    for (int page = 1; page <= kPages; ++page) {
      doc.BeginPage();
      doc.ImportPage(source, page, 0, 0);
      heap.Sample();
    }
    doc.EndDoc();
    heap.Sample();
    if (doc.ErrNumber() != 0) state.SkipWithError(doc.ErrDescription().c_str());
    peak = std::max(peak, heap.peak());
  }
  Report(state, peak);
}
// Argument: the document's compression. With Flate the page contents, decoded to be
// joined, are compressed again; qpdf copies each stream as stored.
BENCHMARK(BM_PagoraImportPage)->Arg(pagora::kCompressFlate)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_QpdfAddForeignPage(benchmark::State& state) {
  const std::string source_path = SourcePdf();
  const std::string out = (Folder() / "qpdf.pdf").string();
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapPeak heap;
    {
      QPDF source;
      source.processFile(source_path.c_str());
      QPDF target;
      target.emptyPDF();
      QPDFPageDocumentHelper pages(target);
      for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(source).getAllPages()) {
        pages.addPage(page, false);
        heap.Sample();
      }
      QPDFWriter writer(target, out.c_str());
      writer.write();
      heap.Sample();
    }
    peak = std::max(peak, heap.peak());
  }
  Report(state, peak);
}
BENCHMARK(BM_QpdfAddForeignPage)->Unit(benchmark::kMillisecond);

}  // namespace

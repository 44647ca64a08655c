// One billboard from the data file to the closed, protected PDF: time, peak heap and size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/billboard_generator.h"

namespace {

namespace fs = std::filesystem;

std::string Record(const std::string& key, const std::string& value) {
  std::string record(510, ' ');
  record.replace(0, key.size(), key);
  record.replace(255, value.size(), value);
  return record;
}

void BM_Billboard(benchmark::State& state) {
  const fs::path folder =
      fs::temp_directory_path() / ("pagora-billboard-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "dati2.dat", std::ios::binary)
      << Record("PANNELLONE_TIPO_CENTRO", "CSU")
      << Record("PANNELLONE_INDIRIZZO_CONDOMINIO", "Via della Libert\xE0 12 - Vesola")
      << Record("PANNELLONE_TIPOLOGIA_LAVORI", "Rifacimento facciate e tetto")
      << Record("PANNELLONE_DATA_INIZIO_LAVORI", "20260112");
  const pannellonistica::BillboardPaths paths{folder / "dati2.dat", PAGORA_BILLBOARD_PICTURES,
                                              folder / "pannellone.pdf"};
  for (auto _ : state) {
    if (!pannellonistica::BillboardGenerator(paths, nullptr).printed) state.SkipWithError("failed");
  }
  state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(paths.output));
  // The whole process's peak resident size: an upper bound for one billboard.
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_bytes"] = static_cast<double>(usage.ru_maxrss) * 1024;
  fs::remove_all(folder);
}
BENCHMARK(BM_Billboard)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

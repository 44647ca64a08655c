// Loading and saving the billboard's fourteen keys in a data file of 10 000 foreign records
// (about 5 MB). The load and the save each make one pass over the file; beside them, the
// floor (reading the whole file, nothing else) and the literal per-key scan the format's
// Upsert describes (one scan of every record per key), to show what the single pass saves.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/billboard_record.h"
#include "app/data_file.h"

namespace pannellonistica {
namespace {

constexpr int kForeignRecords = 10'000;

std::string Record(const std::string& key, const std::string& value) {
  std::string record = key;
  record.resize(kTextSize, ' ');
  record += value;
  record.resize(kRecordSize, ' ');
  return record;
}

// The data file, built once in a scratch folder removed at exit: the foreign records,
// then the billboard's keys.
class BenchFile {
 public:
  BenchFile() {
    std::string folder = std::filesystem::temp_directory_path() / "pannello-bench-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) std::abort();
    folder_ = folder;
    std::ofstream out(path(), std::ios::binary);
    for (int i = 0; i < kForeignRecords; ++i) {
      out << Record("CHIAVE_ESTRANEA_" + std::to_string(i), "valore " + std::to_string(i));
    }
    for (const auto key : kBillboardKeys) out << Record(std::string(key), "valore");
  }
  ~BenchFile() { std::filesystem::remove_all(folder_); }
  std::filesystem::path path() const { return folder_ / "dati2.dat"; }

 private:
  std::filesystem::path folder_;
};

const std::filesystem::path& DataFilePath() {
  static const BenchFile file;
  static const std::filesystem::path path = file.path();
  return path;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(DataFilePath())));
}

void BM_ReadWholeFile(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(DataFilePath(), std::ios::binary);
    std::string bytes(std::filesystem::file_size(DataFilePath()), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  }
  SetBytes(state);
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  const std::vector<std::string> keys = BillboardKeyList();
  for (auto _ : state) benchmark::DoNotOptimize(ReadKeys(DataFilePath(), keys));
  SetBytes(state);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  for (auto _ : state) {
    DataFile file(DataFilePath());
    for (const auto key : kBillboardKeys) file.Upsert(key, "valore");
    file.Close();
  }
  SetBytes(state);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_SaveScanningPerKey(benchmark::State& state) {
  for (auto _ : state) {
    DataFile file(DataFilePath());
    for (const auto key : kBillboardKeys) {
      const std::string wanted = NormalizeKey(key);
      int n = 1;
      while (n <= file.RecordCount() && NormalizeKey(file.ReadRecord(n).key) != wanted) ++n;
      file.WriteRecord(n, key, "valore");
    }
    file.Close();
  }
  SetBytes(state);
}
BENCHMARK(BM_SaveScanningPerKey)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pannellonistica

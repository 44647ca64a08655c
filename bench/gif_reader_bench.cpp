// Decoding speed of GIF pictures of the billboard's sizes and a large photo, in megapixels
// per second, side by side with giflib. The pictures are made once with ImageMagick
// (convert-im6.q16) and kept in the temporary folder.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pdf/image/gif_reader.h"

namespace {

struct Sample {
  const char* name;
  int width;
  int height;
  const char* content;  // ImageMagick arguments after the size
};

constexpr Sample kSamples[] = {
    {"photo_3354x882", 3354, 882, "-seed 11 plasma:fractal +dither -colors 256"},
    {"photo_1714x804", 1714, 804, "-seed 12 plasma:fractal +dither -colors 256"},
    {"photo_4000x3000", 4000, 3000, "-seed 13 plasma:fractal +dither -colors 256"},
    {"logo_3354x882", 3354, 882,
     "xc:white -fill navy -draw 'rectangle 100,100 1500,780' -fill orange"
     " -draw 'circle 2400,441 2400,80' -fill green -draw 'polygon 1600,800 2000,100 2200,800'"
     " +dither -colors 16"},
};

const std::vector<std::uint8_t>& SampleFile(std::size_t index) {
  static std::vector<std::uint8_t> files[std::size(kSamples)];
  const Sample& sample = kSamples[index];
  std::vector<std::uint8_t>& file = files[index];
  if (!file.empty()) return file;
  const auto folder = std::filesystem::temp_directory_path() / "pagora-gif-bench";
  std::filesystem::create_directories(folder);
  const auto path = folder / (std::string(sample.name) + ".gif");
  if (!std::filesystem::exists(path)) {
    const std::string command = "convert-im6.q16 -size " + std::to_string(sample.width) + "x" +
                                std::to_string(sample.height) + " " + sample.content +
                                " 'gif:" + path.string() + ".part' && mv '" + path.string() +
                                ".part' '" + path.string() + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "cannot make %s with ImageMagick\n", sample.name);
      std::exit(1);
    }
  }
  std::ifstream in(path, std::ios::binary);
  file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return file;
}

void SetRate(benchmark::State& state, const Sample& sample) {
  const double pixels = static_cast<double>(sample.width) * sample.height;
  state.counters["MP/s"] = benchmark::Counter(
      pixels * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Pagora(benchmark::State& state, std::size_t index) {
  const auto& file = SampleFile(index);
  for (auto _ : state) {
    const pagora::GifReadResult result = pagora::ReadGifImage(file, 1);
    if (result.status != pagora::GifStatus::kOk) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(result.picture.pixels.data());
  }
  SetRate(state, kSamples[index]);
}

struct MemoryInput {
  const std::vector<std::uint8_t>* bytes;
  std::size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t available = input->bytes->size() - input->position;
  const std::size_t taken = std::min<std::size_t>(static_cast<std::size_t>(count), available);
  std::memcpy(out, input->bytes->data() + input->position, taken);
  input->position += taken;
  return static_cast<int>(taken);
}

void BM_Giflib(benchmark::State& state, std::size_t index) {
  const auto& file = SampleFile(index);
  for (auto _ : state) {
    MemoryInput input{&file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
    DGifCloseFile(gif, &error);
  }
  SetRate(state, kSamples[index]);
}

const bool kRegistered = [] {
  for (std::size_t index = 0; index < std::size(kSamples); ++index) {
    const std::string name = kSamples[index].name;
    benchmark::RegisterBenchmark(("Pagora/" + name).c_str(), BM_Pagora, index)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Giflib/" + name).c_str(), BM_Giflib, index)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace

// Translation speed of vector pictures, in MB of file per second: a generated metafile of
// pens, brushes and polygons, and a generated Illustrator-style EPS, of 1 MB and 4 MB (the
// two sizes show whether time grows linearly). No peer translates these into PDF content.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pdf/image/eps_picture.h"
#include "pdf/image/wmf_picture.h"

namespace {

constexpr pagora::PicturePlacement kPlacement{10, 10, 100, 0, 2.834646f};

void Word(std::vector<std::uint8_t>& file, int value) {
  file.push_back(static_cast<std::uint8_t>(value & 0xFF));
  file.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Record(std::vector<std::uint8_t>& file, int function, const std::vector<int>& words) {
  Word(file, static_cast<int>(words.size() + 3));
  Word(file, 0);
  Word(file, function);
  for (const int word : words) Word(file, word);
}

// A metafile of about `bytes` bytes: each shape creates a pen and a brush, selects them,
// draws a polygon, a polyline or a two-ring polypolygon, and deletes them again.
std::vector<std::uint8_t> MakeWmf(std::size_t bytes) {
  std::mt19937 random(7);
  auto coordinate = [&] { return static_cast<int>(random() % 2000) - 100; };
  std::vector<std::uint8_t> file;
  for (const int word : {1, 9, 0x300, 0, 0, 2, 0, 0, 0}) Word(file, word);
  Record(file, 0x020B, {0, 0});
  Record(file, 0x020C, {1800, 1800});
  Record(file, 0x0106, {2});
  for (int shape = 0; file.size() < bytes; ++shape) {
    Record(file, 0x02FA, {shape % 5, 1 + shape % 9, 0, static_cast<int>(random() & 0xFFFF), 0});
    Record(file, 0x02FC, {shape % 7 == 0, static_cast<int>(random() & 0xFFFF), 0, 0});
    Record(file, 0x012D, {0});
    Record(file, 0x012D, {1});
    std::vector<int> words;
    const int points = 4 + shape % 29;
    if (shape % 3 == 2)
      words = {2, points, points};
    else
      words = {points};
    for (int i = 0; i < (shape % 3 == 2 ? 2 * points : points); ++i) {
      words.push_back(coordinate());
      words.push_back(coordinate());
    }
    Record(file, shape % 3 == 0 ? 0x0324 : shape % 3 == 1 ? 0x0325 : 0x0538, words);
    Record(file, 0x01F0, {0});
    Record(file, 0x01F0, {1});
  }
  Record(file, 0, {});
  return file;
}

// An EPS of about `bytes` bytes of Illustrator paths: colours, moves, lines, curves, fills
// and strokes, with a few comments and PostScript lines the translator passes over.
std::vector<std::uint8_t> MakeEps(std::size_t bytes) {
  std::mt19937 random(11);
  auto number = [&] { return std::to_string(random() % 6000 / 10.0).substr(0, 5); };
  std::string text =
      "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 612 792\n%%EndProlog\n%%EndSetup\n";
  for (int path = 0; text.size() < bytes; ++path) {
    text += "0 0.5 1 0 k\n0.2 0.4 0 0 K\n1 w\n[3 2] 0 d\n";
    text += number() + " " + number() + " m\n";
    for (int i = 0; i < 12; ++i) {
      if (i % 3 == 0) {
        text += number() + " " + number() + " " + number() + " " + number() + " " + number() + " " +
                number() + " C\n";
      } else {
        text += number() + " " + number() + (i % 2 ? " L\n" : " l\n");
      }
    }
    text += path % 4 == 0 ? "% a comment line\n/pathname 1 def\n" : "";
    text += path % 2 ? "f\n" : "B\n";
  }
  text += "%%PageTrailer\nshowpage\n";
  return {text.begin(), text.end()};
}

void Report(benchmark::State& state, std::size_t bytes) {
  state.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6,
                         benchmark::Counter::kIsRate);
}

void BM_Wmf(benchmark::State& state) {
  const std::vector<std::uint8_t> file = MakeWmf(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    const pagora::VectorPicture picture = pagora::TranslateWmfPicture(file, kPlacement);
    if (picture.status != pagora::VectorPictureStatus::kOk) state.SkipWithError("refused");
    benchmark::DoNotOptimize(picture.lines.data());
  }
  Report(state, file.size());
}

void BM_Eps(benchmark::State& state) {
  const std::vector<std::uint8_t> file = MakeEps(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    const pagora::VectorPicture picture = pagora::TranslateEpsPicture(file, kPlacement);
    if (picture.status != pagora::VectorPictureStatus::kOk) state.SkipWithError("refused");
    benchmark::DoNotOptimize(picture.lines.data());
  }
  Report(state, file.size());
}

BENCHMARK(BM_Wmf)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Eps)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

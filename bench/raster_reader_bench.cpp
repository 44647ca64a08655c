// Decoding speed of the BMP and TGA readers side by side with stb_image, and the cost of
// the JPEG frame scan (one copy of the file), on pictures generated here. Rates are
// megabytes of decoded picture per second (of file for JPEG) and megapixels per second.
#include <benchmark/benchmark.h>
#include <stb_image.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "pdf/image/bmp_reader.h"
#include "pdf/image/jpeg_reader.h"
#include "pdf/image/tga_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

void PutU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// A photo-like 24-bit picture: gradients with noise, stored blue, green, red.
Bytes PhotoBgr(int row_padding) {
  std::mt19937 random(1);
  Bytes rows;
  rows.reserve(static_cast<std::size_t>(kWidth * 3 + row_padding) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned noise = random() & 15;
      rows.push_back(static_cast<std::uint8_t>(x / 16 + noise));
      rows.push_back(static_cast<std::uint8_t>(y / 12 + noise));
      rows.push_back(static_cast<std::uint8_t>((x + y) / 28 + noise));
    }
    rows.insert(rows.end(), static_cast<std::size_t>(row_padding), 0);
  }
  return rows;
}

// Rows of 8-bit indices in runs of 1 to 40 pixels, like a drawing or a chart.
std::vector<Bytes> RunRows() {
  std::mt19937 random(2);
  std::vector<Bytes> rows(kHeight);
  for (Bytes& row : rows) {
    while (row.size() < kWidth) {
      const std::size_t run = 1 + random() % 40;
      row.insert(row.end(), std::min(run, kWidth - row.size()),
                 static_cast<std::uint8_t>(random()));
    }
  }
  return rows;
}

Bytes BmpFile(int bits, std::uint32_t compression, const Bytes& palette, const Bytes& data) {
  Bytes file = {'B', 'M'};
  const std::uint32_t offset = 54 + static_cast<std::uint32_t>(palette.size());
  for (const std::uint32_t field : {offset + static_cast<std::uint32_t>(data.size()), 0u, offset,
                                    40u, std::uint32_t{kWidth}, std::uint32_t{kHeight}}) {
    PutU32(file, field);
  }
  PutU16(file, 1);
  PutU16(file, static_cast<std::uint32_t>(bits));
  for (const std::uint32_t field : {compression, 0u, 0u, 0u, 0u, 0u}) PutU32(file, field);
  file.insert(file.end(), palette.begin(), palette.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

Bytes TgaFile(std::uint8_t type, std::uint8_t depth, const Bytes& data) {
  Bytes file = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  PutU16(file, kWidth);
  PutU16(file, kHeight);
  file.push_back(depth);
  file.push_back(0);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

Bytes GreyPalette() {
  Bytes palette;
  for (int i = 0; i < 256; ++i)
    palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
  return palette;
}

Bytes Rle8Bmp() {
  Bytes data;
  for (const Bytes& row : RunRows()) {
    for (std::size_t x = 0; x < row.size();) {
      std::size_t run = 1;
      while (x + run < row.size() && run < 255 && row[x + run] == row[x]) ++run;
      if (run >= 3) {
        data.insert(data.end(), {static_cast<std::uint8_t>(run), row[x]});
        x += run;
        continue;
      }
      // A literal up to the next run of three.
      std::size_t end = x;
      while (end < row.size() && end - x < 255 &&
             !(end + 2 < row.size() && row[end] == row[end + 1] && row[end] == row[end + 2])) {
        ++end;
      }
      const std::size_t count = end - x;
      if (count < 3) {
        for (std::size_t i = 0; i < count; ++i) data.insert(data.end(), {1, row[x + i]});
      } else {
        data.insert(data.end(), {0, static_cast<std::uint8_t>(count)});
        data.insert(data.end(), row.begin() + static_cast<std::ptrdiff_t>(x),
                    row.begin() + static_cast<std::ptrdiff_t>(end));
        if (count % 2) data.push_back(0);
      }
      x = end;
    }
    data.insert(data.end(), {0, 0});
  }
  data.insert(data.end(), {0, 1});
  return BmpFile(8, 1, GreyPalette(), data);
}

Bytes RleGreyTga() {
  Bytes data;
  for (const Bytes& row : RunRows()) {
    for (std::size_t x = 0; x < row.size();) {
      std::size_t run = 1;
      while (x + run < row.size() && run < 128 && row[x + run] == row[x]) ++run;
      if (run >= 2) {
        data.insert(data.end(), {static_cast<std::uint8_t>(0x80 | (run - 1)), row[x]});
        x += run;
        continue;
      }
      std::size_t end = x + 1;
      while (end < row.size() && end - x < 128 &&
             !(end + 1 < row.size() && row[end] == row[end + 1]))
        ++end;
      data.push_back(static_cast<std::uint8_t>(end - x - 1));
      data.insert(data.end(), row.begin() + static_cast<std::ptrdiff_t>(x),
                  row.begin() + static_cast<std::ptrdiff_t>(end));
      x = end;
    }
  }
  return TgaFile(11, 8, data);
}

// A JPEG-shaped file: headers, a large Exif block, a frame, and 8 MB of scan data.
Bytes LargeJpeg() {
  Bytes file = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  file.insert(file.end(), {0xFF, 0xE1, 0xFF, 0xFF});
  file.insert(file.end(), 0xFFFD, 'x');
  file.insert(file.end(), {0xFF, 0xC0, 0, 17, 8, 0x0B, 0xB8, 0x0F, 0xA0, 3, 1, 0x22, 0, 2, 0x11, 1,
                           3, 0x11, 1});
  file.insert(file.end(), {0xFF, 0xDA, 0, 12, 3, 1, 0, 2, 0x11, 3, 0x11, 0, 63, 0});
  std::mt19937 random(3);
  for (int i = 0; i < (8 << 20); ++i) {
    const auto byte = static_cast<std::uint8_t>(random());
    file.push_back(byte);
    if (byte == 0xFF) file.push_back(0);
  }
  file.insert(file.end(), {0xFF, 0xD9});
  return file;
}

struct Sample {
  const char* name;
  Bytes (*make)();
  int channels;  // of the decoded picture
  bool bmp;
  bool stb_decodes;
};

const Sample kSamples[] = {
    {"bmp_24bit", [] { return BmpFile(24, 0, {}, PhotoBgr(0)); }, 3, true, true},
    {"tga_24bit", [] { return TgaFile(2, 24, PhotoBgr(0)); }, 3, false, true},
    {"bmp_8bit_rle", Rle8Bmp, 1, true, false},
    {"tga_8bit_grey_rle", RleGreyTga, 1, false, true},
};

const Bytes& File(const Sample& sample) {
  static std::vector<Bytes> files(std::size(kSamples));
  Bytes& file = files[static_cast<std::size_t>(&sample - kSamples)];
  if (file.empty()) file = sample.make();
  return file;
}

void SetRates(benchmark::State& state, double bytes) {
  state.SetBytesProcessed(
      static_cast<std::int64_t>(bytes * static_cast<double>(state.iterations())));
  state.counters["MP/s"] =
      benchmark::Counter(double{kWidth} * kHeight * static_cast<double>(state.iterations()) / 1e6,
                         benchmark::Counter::kIsRate);
}

void BM_Pagora(benchmark::State& state, const Sample* sample) {
  const Bytes& file = File(*sample);
  for (auto _ : state) {
    const pagora::RasterReadResult result =
        sample->bmp ? pagora::ReadBmpImage(file, std::nullopt) : pagora::ReadTgaImage(file);
    if (result.status != pagora::PictureStatus::kOk) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(result.image.pixels.data());
  }
  SetRates(state, double{kWidth} * kHeight * sample->channels);
}

void BM_Stb(benchmark::State& state, const Sample* sample) {
  const Bytes& file = File(*sample);
  for (auto _ : state) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                            &height, &channels, 0);
    if (pixels == nullptr) {
      state.SkipWithError(stbi_failure_reason());
      break;
    }
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  SetRates(state, double{kWidth} * kHeight * sample->channels);
}

void BM_JpegScan(benchmark::State& state) {
  static const Bytes file = LargeJpeg();
  for (auto _ : state) {
    const pagora::RasterReadResult result = pagora::ReadJpegImage(file);
    if (result.status != pagora::PictureStatus::kOk) state.SkipWithError("scan failed");
    benchmark::DoNotOptimize(result.image.pixels.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(file.size() * state.iterations()));
}

// The floor of the JPEG scan: one copy of the same bytes.
void BM_JpegCopyOnly(benchmark::State& state) {
  static const Bytes file = LargeJpeg();
  for (auto _ : state) {
    const Bytes copy(file.begin(), file.end());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(file.size() * state.iterations()));
}

const bool kRegistered = [] {
  for (const Sample& sample : kSamples) {
    const std::string name = sample.name;
    benchmark::RegisterBenchmark(("Pagora/" + name).c_str(), BM_Pagora, &sample)
        ->Unit(benchmark::kMillisecond);
    // stb_image has no run-length BMP decoder.
    if (sample.stb_decodes) {
      benchmark::RegisterBenchmark(("StbImage/" + name).c_str(), BM_Stb, &sample)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RegisterBenchmark("Pagora/jpeg_scan_8MB", BM_JpegScan)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Copy/jpeg_8MB", BM_JpegCopyOnly)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

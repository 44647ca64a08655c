#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Checks a written PDF with independent readers: qpdf, pdfinfo, Ghostscript, and renders
// by poppler (pdftoppm) and MuPDF (mutool draw) whose pixels the tests probe.
namespace pagora::testing {

struct CommandResult {
  int exit_code = -1;
  std::string output;  // standard output and standard error together
};

// Runs a shell command and collects what it prints.
CommandResult RunCommand(const std::string& command);
// Quotes a text for the shell.
std::string ShellQuote(std::string_view text);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);

using Rgb = std::array<std::uint8_t, 3>;

// An RGB raster of a rendered page; (0, 0) is the top-left pixel.
struct Raster {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Rgb At(int x, int y) const;
};

// Leftmost and rightmost columns with dark pixels between two rows (and from column
// `from` up to `to`), or {-1, -1}.
std::pair<int, int> InkColumns(const Raster& r, int top, int bottom, int from = 0, int to = 100000);

// Reads a binary PPM (P6, maxval 255) as written by pdftoppm, mutool and ImageMagick.
bool ReadPpm(const std::filesystem::path& path, Raster* raster);

enum class Renderer { kPoppler, kMupdf };

// `qpdf --check` succeeds and prints no warning.
::testing::AssertionResult QpdfChecksClean(const std::filesystem::path& pdf);
// `pdfinfo` reads the file; its report goes to `report` when given.
::testing::AssertionResult PdfinfoReads(const std::filesystem::path& pdf,
                                        std::string* report = nullptr);
// The value of one field of a pdfinfo report ("Page size", "Title"...), trimmed.
std::string PdfinfoField(const std::string& report, std::string_view field);
// Ghostscript interprets every page and prints no error.
::testing::AssertionResult GhostscriptClean(const std::filesystem::path& pdf);
// Renders page `page` (from 1) at `dpi`; fails the test on any renderer error.
::testing::AssertionResult Render(const std::filesystem::path& pdf, Renderer renderer, int page,
                                  int dpi, Raster* raster);
// All of the above, with page 1 rendered by both renderers.
::testing::AssertionResult PassesAllReaders(const std::filesystem::path& pdf);

// True when every channel of `actual` is within `tolerance` of `expected`.
bool NearColor(const Rgb& actual, const Rgb& expected, int tolerance = 2);

}  // namespace pagora::testing

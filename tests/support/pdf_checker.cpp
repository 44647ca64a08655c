#include "tests/support/pdf_checker.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace pagora::testing {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
  return ShellQuote(path.string());
}

}  // namespace

bool ReadPpm(const std::filesystem::path& path, Raster* raster) {
  const std::string bytes = ReadFileBytes(path);
  std::istringstream header(bytes);
  std::string magic;
  int maxval = 0;
  header >> magic >> raster->width >> raster->height >> maxval;
  if (magic != "P6" || maxval != 255 || raster->width <= 0 || raster->height <= 0) return false;
  const auto data_start = static_cast<std::size_t>(header.tellg()) + 1;
  const auto size = static_cast<std::size_t>(raster->width) * raster->height * 3;
  if (bytes.size() < data_start + size) return false;
  raster->rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(data_start),
                     bytes.begin() + static_cast<std::ptrdiff_t>(data_start + size));
  return true;
}

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) result.output.append(chunk, got);
  const int status = ::pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string ShellQuote(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += "'";
  return quoted;
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "pagora-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Rgb Raster::At(int x, int y) const {
  const auto i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
  return {rgb.at(i), rgb.at(i + 1), rgb.at(i + 2)};
}

std::pair<int, int> InkColumns(const Raster& r, int top, int bottom, int from, int to) {
  std::pair<int, int> columns{-1, -1};
  for (int x = from; x < std::min(r.width, to); ++x) {
    for (int y = top; y <= bottom; ++y) {
      if (r.At(x, y)[0] < 128) {
        if (columns.first < 0) columns.first = x;
        columns.second = x;
        break;
      }
    }
  }
  return columns;
}

::testing::AssertionResult QpdfChecksClean(const fs::path& pdf) {
  const CommandResult run = RunCommand("qpdf --check " + Quoted(pdf));
  // qpdf exits with 3 for warnings and 2 for errors; a clean file also says so.
  if (run.exit_code != 0 || run.output.find("WARNING") != std::string::npos ||
      run.output.find("No syntax or stream encoding errors found") == std::string::npos) {
    return ::testing::AssertionFailure()
           << "qpdf --check " << pdf << " exit " << run.exit_code << ":\n"
           << run.output;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PdfinfoReads(const fs::path& pdf, std::string* report) {
  const CommandResult run = RunCommand("pdfinfo " + Quoted(pdf));
  if (report != nullptr) *report = run.output;
  if (run.exit_code != 0 || run.output.find("Syntax Error") != std::string::npos ||
      run.output.find("Syntax Warning") != std::string::npos) {
    return ::testing::AssertionFailure() << "pdfinfo " << pdf << ":\n" << run.output;
  }
  return ::testing::AssertionSuccess();
}

std::string PdfinfoField(const std::string& report, std::string_view field) {
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    if (line.size() <= field.size() || line.compare(0, field.size(), field) != 0 ||
        line[field.size()] != ':') {
      continue;
    }
    const std::size_t start = line.find_first_not_of(' ', field.size() + 1);
    return start == std::string::npos ? "" : line.substr(start);
  }
  return {};
}

::testing::AssertionResult GhostscriptClean(const fs::path& pdf) {
  const CommandResult run =
      RunCommand("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage " + Quoted(pdf));
  if (run.exit_code != 0 || run.output.find("rror") != std::string::npos ||
      run.output.find("****") != std::string::npos) {
    return ::testing::AssertionFailure() << "gs " << pdf << ":\n" << run.output;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Render(const fs::path& pdf, Renderer renderer, int page, int dpi,
                                  Raster* raster) {
  const fs::path ppm = pdf.parent_path() / (pdf.stem().string() + "-render.ppm");
  std::string command;
  if (renderer == Renderer::kPoppler) {
    // -singlefile writes exactly <root>.ppm.
    const fs::path root = ppm.parent_path() / ppm.stem();
    command = "pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
              std::to_string(page) + " -singlefile " + Quoted(pdf) + " " + Quoted(root);
  } else {
    command = "mutool draw -q -N -r " + std::to_string(dpi) + " -o " + Quoted(ppm) + " " +
              Quoted(pdf) + " " + std::to_string(page);
  }
  const CommandResult run = RunCommand(command);
  const bool read = run.exit_code == 0 && ReadPpm(ppm, raster);
  std::error_code ignored;
  fs::remove(ppm, ignored);
  // MuPDF reports repairs and syntax trouble on its output even when it succeeds.
  if (!read || run.output.find("error") != std::string::npos ||
      run.output.find("warning") != std::string::npos) {
    return ::testing::AssertionFailure() << command << " exit " << run.exit_code << ":\n"
                                         << run.output;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PassesAllReaders(const fs::path& pdf) {
  if (auto r = QpdfChecksClean(pdf); !r) return r;
  if (auto r = PdfinfoReads(pdf); !r) return r;
  if (auto r = GhostscriptClean(pdf); !r) return r;
  Raster raster;
  if (auto r = Render(pdf, Renderer::kPoppler, 1, 18, &raster); !r) return r;
  return Render(pdf, Renderer::kMupdf, 1, 18, &raster);
}

bool NearColor(const Rgb& actual, const Rgb& expected, int tolerance) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(actual[i] - expected[i]) > tolerance) return false;
  }
  return true;
}

}  // namespace pagora::testing

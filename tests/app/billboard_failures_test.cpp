// A billboard printed in hostile conditions: no crash, no hang, the previous billboard kept
// byte for byte when no new one can be written, and messages naming the file and the cause.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/billboard_generator.h"
#include "tests/app/data_file_helpers.h"
#include "tests/support/child_process.h"
#include "tests/support/pdf_checker.h"

namespace pannellonistica {
namespace {

namespace fs = std::filesystem;
using pagora::testing::ChildOptions;
using pagora::testing::RunInChild;
using testing::ReadBytes;
using testing::Record;
using testing::WriteBytes;

constexpr char kOldBillboard[] = "%PDF-1.3 the previous billboard";
// A child that has not finished by then is hung: it is killed and the test fails.
constexpr unsigned kHangSeconds = 20;

// A valid GIF of one pixel that declares a 16000 x 16000 screen.
std::string HugeScreenGif() {
  return std::string("GIF89a\x80\x3E\x80\x3E\x80\x00\x00", 13) +
         std::string("\0\0\0\xFF\xFF\xFF", 6) +
         std::string("\x2C\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0\x3B", 16);
}

// "printed|critical|message|missing picture lines" of a print.
std::string Summary(const BillboardOutcome& outcome) {
  std::string text = std::to_string(outcome.printed) + "|" + std::to_string(outcome.critical) +
                     "|" + outcome.message;
  for (const std::string& line : outcome.missing_pictures) text += "|" + line;
  return text;
}

class BillboardFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(PAGORA_BILLBOARD_PICTURES, paths_.pictures_folder);
    WriteBytes(paths_.data_file, Record("PANNELLONE_TIPO_CENTRO", "CSU") +
                                     Record("PANNELLONE_PROGETTISTA", "Arch. Giulia Verdi"));
    WriteBytes(paths_.output, kOldBillboard);
  }

  // Prints in a child, so that a hang or a crash fails the test instead of stopping it.
  std::string PrintInChild(const ChildOptions& options = {}) {
    const auto child = RunInChild(
        [&] {
          ::alarm(kHangSeconds);
          return Summary(BillboardGenerator(paths_, nullptr));
        },
        options);
    EXPECT_TRUE(child.ran) << child.reason;
    EXPECT_EQ(child.exit_status, 0) << "the print crashed or hung";
    return child.report;
  }

  // Files beside the output other than the ones the test made.
  std::vector<std::string> LeftOver() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename();
      if (name != "dati2.dat" && name != "pannellone.pdf" && name != "immagini") {
        names.push_back(name);
      }
    }
    return names;
  }

  pagora::testing::TempDir dir_;
  BillboardPaths paths_{dir_ / "dati2.dat", dir_ / "immagini", dir_ / "pannellone.pdf"};
};

TEST_F(BillboardFailureTest, APictureThatCannotBeReadIsLeftOutAndNamed) {
  const fs::path picture = paths_.pictures_folder / "loghi.gif";
  const std::string gif = ReadBytes(picture);
  const struct {
    const char* name;
    std::function<void()> damage;
  } cases[] = {
      {"missing", [&] { fs::remove(picture); }},
      {"empty", [&] { WriteBytes(picture, ""); }},
      {"not a GIF", [&] { WriteBytes(picture, "questa non è un'immagine"); }},
      {"truncated", [&] { WriteBytes(picture, gif.substr(0, gif.size() / 2)); }},
      {"a folder", [&] { fs::create_directory(picture); }},
      {"a named pipe", [&] { ::mkfifo(picture.c_str(), 0666); }},
      {"16000 x 16000 pixels", [&] { WriteBytes(picture, HugeScreenGif()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(picture);
    c.damage();
    const std::string summary = PrintInChild();
    EXPECT_EQ(summary.rfind("1|0||Immagine \"" + picture.string() + "\" non stampata: ", 0), 0u)
        << summary;
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '|'), 3) << summary;  // one line
    EXPECT_TRUE(pagora::testing::QpdfChecksClean(paths_.output));
    EXPECT_LT(fs::file_size(paths_.output), 16u << 20);  // nothing of 256 megapixels
    EXPECT_TRUE(LeftOver().empty());
  }
}

TEST_F(BillboardFailureTest, ADataFileThatCannotBeReadStopsThePrintWithItsName) {
  const fs::path loop = dir_ / "anello.dat";
  fs::create_symlink(loop, loop);
  const fs::path long_part = dir_ / std::string(300, 'x') / "dati2.dat";
  std::string very_long = dir_.path().string();
  while (very_long.size() <= 4200) very_long += "/cartella";
  very_long += "/dati2.dat";
  const struct {
    fs::path data_file;
    std::string cause;
  } cases[] = {
      {loop, "troppi collegamenti simbolici (un collegamento rimanda a sé)"},
      {long_part, "il nome è troppo lungo"},
      {very_long, "il nome è troppo lungo"},
  };
  for (const auto& c : cases) {
    paths_.data_file = c.data_file;
    EXPECT_EQ(PrintInChild(), "0|1|Impossibile aprire il file dei dati \"" + c.data_file.string() +
                                  "\": " + c.cause + ".");
    EXPECT_EQ(ReadBytes(paths_.output), kOldBillboard);
  }
}

TEST_F(BillboardFailureTest, AFileSizeLimitKeepsThePreviousBillboard) {
  const std::string summary =
      PrintInChild({.unprivileged = false, .file_size_limit = rlim_t{20000}});
  EXPECT_EQ(summary, "0|1|Pagora - Errore di accesso al percorso/file - " + paths_.output.string() +
                         ": il disco è pieno (il file supera la dimensione consentita)");
  EXPECT_EQ(ReadBytes(paths_.output), kOldBillboard);
  EXPECT_TRUE(LeftOver().empty());
}

TEST_F(BillboardFailureTest, PermissionProblemsSayAccessDeniedNotFileOpen) {
  const fs::path closed = dir_ / "chiusa";
  fs::create_directory(closed);
  WriteBytes(closed / "pannellone.pdf", kOldBillboard);
  pagora::testing::OpenToEveryone(dir_.path().string());
  ::chmod(paths_.output.c_str(), 0444);
  ::chmod(closed.c_str(), 0555);
  const fs::path outputs[] = {paths_.output, closed / "pannellone.pdf"};
  for (const fs::path& output : outputs) {
    paths_.output = output;
    const auto child = RunInChild([&] { return Summary(BillboardGenerator(paths_, nullptr)); },
                                  {.unprivileged = true, .file_size_limit = std::nullopt});
    if (!child.ran) {
      ::chmod(closed.c_str(), 0777);
      GTEST_SKIP() << child.reason;
    }
    EXPECT_EQ(child.report, "0|1|Pagora.BeginDoc - Errore di accesso al percorso/file - " +
                                output.string() + ": accesso negato");
    EXPECT_EQ(ReadBytes(output), kOldBillboard);
  }
  ::chmod(closed.c_str(), 0777);
  EXPECT_EQ(std::distance(fs::directory_iterator(closed), {}), 1);
}

}  // namespace
}  // namespace pannellonistica

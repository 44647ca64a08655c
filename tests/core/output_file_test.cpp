#include "pdf/core/output_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "pdf/core/runtime_error.h"
#include "tests/support/child_process.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::ChildOptions;
using testing::ReadFileBytes;
using testing::RunInChild;
using testing::TempDir;

constexpr char kOld[] = "the previous billboard";

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Everything in the folder but `keep`: a temporary file left behind shows up here.
std::vector<std::string> OtherFiles(const fs::path& folder, const std::string& keep) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename() != keep) names.push_back(entry.path().filename());
  }
  return names;
}

// "number|description" of the error `action` throws, or "none".
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return std::to_string(e.number()) + "|" + e.description();
  }
  return "none";
}

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(target_, kOld); }

  TempDir dir_;
  fs::path target_ = dir_ / "out.pdf";
};

TEST_F(OutputFileTest, TheTargetIsReplacedOnlyByAFinishedFile) {
  OutputFile file;
  file.Open(target_.string());
  file.Write("%PDF-1.3\n");
  file.Write(std::string(100000, 'x'));  // past the buffer
  EXPECT_EQ(file.Position(), 100009u);
  file.OverwriteStart("%PDF-1.5");
  EXPECT_EQ(ReadFileBytes(target_), kOld);  // nothing visible before Close
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadFileBytes(target_), "%PDF-1.5\n" + std::string(100000, 'x'));
  EXPECT_TRUE(OtherFiles(dir_.path(), "out.pdf").empty());
}

// Bytes written later by the second thread keep their place among the others, whatever
// their sizes: small blocks, blocks past the buffer, batches past the thread's wake-up
// size, and a header rewrite at the end.
TEST_F(OutputFileTest, BytesWrittenLaterKeepTheirPlace) {
  const ByteTransform upper = [](std::span<std::uint8_t> bytes) {
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(byte - 'a' + 'A');
  };
  OutputFile file;
  file.Open(target_.string());
  std::string expected = "%PDF-1.3\n";
  file.Write(expected);
  for (int round = 0; round < 40; ++round) {
    const std::size_t later_size = round % 3 == 0 ? 70000 : 100 + 997 * round;
    const auto letter = static_cast<char>('a' + round % 26);
    file.WriteLater(std::vector<std::uint8_t>(later_size, static_cast<std::uint8_t>(letter)),
                    upper);
    expected += std::string(later_size, static_cast<char>(letter - 'a' + 'A'));
    const std::string plain(round % 5 == 0 ? 90000 : 7 * round, letter);
    file.Write(plain);
    expected += plain;
    ASSERT_EQ(file.Position(), expected.size());
  }
  file.OverwriteStart("%PDF-1.5");
  file.Write("%%EOF");
  file.Close();
  expected.replace(0, 8, "%PDF-1.5");
  EXPECT_EQ(ReadFileBytes(target_), expected + "%%EOF");
  EXPECT_TRUE(OtherFiles(dir_.path(), "out.pdf").empty());
}

// Where no second thread can be started, the bytes are transformed and written at once.
TEST_F(OutputFileTest, WithoutASecondThreadBytesAreWrittenAtOnce) {
  testing::OpenToEveryone(dir_.path().string());
  const auto child = RunInChild(
      [&] {
        // Unprivileged, a user already at its process limit cannot start a thread.
        const rlimit one_process{1, 1};
        ::setrlimit(RLIMIT_NPROC, &one_process);
        OutputFile file;
        file.Open(target_.string());
        return ErrorOf([&] {
          file.Write("head ");
          file.WriteLater(std::vector<std::uint8_t>(5000, 'a'), [](std::span<std::uint8_t> bytes) {
            for (std::uint8_t& byte : bytes) byte = 'b';
          });
          file.Write(" tail");
          file.Close();
        });
      },
      ChildOptions{.unprivileged = true, .file_size_limit = std::nullopt});
  if (!child.ran) GTEST_SKIP() << child.reason;
  EXPECT_EQ(child.report, "none");
  EXPECT_EQ(ReadFileBytes(target_), "head " + std::string(5000, 'b') + " tail");
}

TEST_F(OutputFileTest, DiscardAndDestructionLeaveThePreviousFileAndNoTemporary) {
  {
    OutputFile file;
    file.Open(target_.string());
    file.Write(std::string(200000, 'y'));
    file.Discard();
    EXPECT_FALSE(file.IsOpen());
  }
  {
    OutputFile file;  // destroyed with blocks still queued for the second thread
    file.Open(target_.string());
    for (int i = 0; i < 20; ++i) file.WriteLater(std::vector<std::uint8_t>(50000, 'w'), {});
  }
  {
    OutputFile file;
    file.Open(target_.string());
    file.Write("unfinished");
    file.Open((dir_ / "second.pdf").string());  // a new Open discards the first
    file.Write("second");
  }
  EXPECT_EQ(ReadFileBytes(target_), kOld);
  EXPECT_TRUE(OtherFiles(dir_.path(), "out.pdf").empty());
}

TEST_F(OutputFileTest, KeepsTheModeOfTheFileItReplaces) {
  ::chmod(target_.c_str(), 0640);
  OutputFile file;
  file.Open(target_.string());
  file.Close();
  struct stat status {};
  ASSERT_EQ(::stat(target_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(OutputFileTest, ASymbolicLinkIsFollowedAndKept) {
  const fs::path link = dir_ / "link.pdf";
  fs::create_symlink(target_, link);
  OutputFile file;
  file.Open(link.string());
  file.Write("new");
  file.Close();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(target_), "new");
}

TEST_F(OutputFileTest, OpenFailuresNameTheFileAndTheCause) {
  const fs::path missing = dir_ / "missing" / "a.pdf";
  const fs::path loop = dir_ / "loop.pdf";
  fs::create_symlink(loop, loop);
  const fs::path fifo = dir_ / "fifo.pdf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  const std::string long_name = (dir_ / std::string(300, 'n')).string();
  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      {missing.string(),
       "76|Impossibile trovare il percorso - " + missing.string() + ": la cartella non esiste"},
      {dir_.path().string(), "75|Errore di accesso al percorso/file - " + dir_.path().string() +
                                 ": al suo posto c'è una cartella"},
      {loop.string(), "75|Errore di accesso al percorso/file - " + loop.string() +
                          ": troppi collegamenti simbolici (un collegamento rimanda a sé)"},
      {fifo.string(),
       "75|Errore di accesso al percorso/file - " + fifo.string() + ": non è un file normale"},
      {long_name,
       "75|Errore di accesso al percorso/file - " + long_name + ": il nome è troppo lungo"},
      {"", "52|Nome o numero di file non valido"},
  };
  for (const auto& c : cases) {
    OutputFile file;
    EXPECT_EQ(ErrorOf([&] { file.Open(c.path); }), c.error);
    EXPECT_FALSE(file.IsOpen());
  }
  EXPECT_EQ(OtherFiles(dir_.path(), "out.pdf").size(), 2u);  // the loop and the pipe only
}

TEST_F(OutputFileTest, AFileSizeLimitReportsAFullDiskAndKeepsThePreviousFile) {
  // Written directly, and by the second thread, whose failure Close reports.
  for (const bool later : {false, true}) {
    const auto child = RunInChild(
        [&] {
          OutputFile file;
          file.Open(target_.string());
          std::string error = ErrorOf([&] {
            for (int i = 0; i < 100; ++i) {
              if (later) {
                file.WriteLater(std::vector<std::uint8_t>(10000, 'z'), {});
              } else {
                file.Write(std::string(10000, 'z'));
              }
            }
            file.Close();
          });
          return error + "|open=" + std::to_string(file.IsOpen());
        },
        ChildOptions{.unprivileged = false, .file_size_limit = 50000});
    ASSERT_TRUE(child.ran) << child.reason;
    EXPECT_EQ(child.report,
              "75|Errore di accesso al percorso/file - " + target_.string() +
                  ": il disco è pieno (il file supera la dimensione consentita)|open=0")
        << later;
    EXPECT_EQ(ReadFileBytes(target_), kOld);
    EXPECT_TRUE(OtherFiles(dir_.path(), "out.pdf").empty());
  }
}

TEST_F(OutputFileTest, AFileOrFolderWithoutWritePermissionIsRefusedAtOpen) {
  const fs::path locked_folder = dir_ / "sola_lettura";
  fs::create_directory(locked_folder);
  const fs::path in_locked = locked_folder / "out.pdf";
  WriteFile(in_locked, kOld);
  testing::OpenToEveryone(dir_.path().string());
  ::chmod(target_.c_str(), 0444);
  ::chmod(locked_folder.c_str(), 0555);
  const auto child = RunInChild(
      [&] {
        OutputFile file;
        return ErrorOf([&] { file.Open(target_.string()); }) + "\n" +
               ErrorOf([&] { file.Open(in_locked.string()); });
      },
      ChildOptions{.unprivileged = true, .file_size_limit = std::nullopt});
  ::chmod(locked_folder.c_str(), 0777);
  if (!child.ran) GTEST_SKIP() << child.reason;
  EXPECT_EQ(child.report, "75|Errore di accesso al percorso/file - " + target_.string() +
                              ": accesso negato\n" + "75|Errore di accesso al percorso/file - " +
                              in_locked.string() + ": accesso negato");
  EXPECT_EQ(ReadFileBytes(target_), kOld);
  EXPECT_EQ(ReadFileBytes(in_locked), kOld);
  EXPECT_TRUE(OtherFiles(locked_folder, "out.pdf").empty());
}

}  // namespace
}  // namespace pagora

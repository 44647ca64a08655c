#include "app/data_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "tests/app/data_file_helpers.h"
#include "tests/support/child_process.h"

namespace pannellonistica {
namespace {

using testing::LockHolder;
using testing::ReadBytes;
using testing::Record;
using testing::ScratchFolder;
using testing::WriteBytes;

TEST(DataFileTest, MissingFileIsCreatedEmpty) {
  ScratchFolder folder;
  DataFile file(folder.DataFile());
  EXPECT_EQ(file.RecordCount(), 0);
  file.Close();
  EXPECT_TRUE(std::filesystem::exists(folder.DataFile()));
  EXPECT_EQ(std::filesystem::file_size(folder.DataFile()), 0u);
}

TEST(DataFileTest, RecordsArePaddedOrCutTo255BytesWithoutLineEnds) {
  ScratchFolder folder;
  DataFile file(folder.DataFile());
  file.WriteRecord(1, "CHIAVE", std::string(300, 'v'));
  file.WriteRecord(2, "PERCH\xC9", "");  // "PERCHÉ" in Windows-1252
  file.Close();
  const std::string bytes = ReadBytes(folder.DataFile());
  ASSERT_EQ(bytes.size(), 1020u);
  EXPECT_EQ(bytes.substr(0, 510), "CHIAVE" + std::string(249, ' ') + std::string(255, 'v'));
  EXPECT_EQ(bytes.substr(510), "PERCH\xC9" + std::string(504, ' '));
}

TEST(DataFileTest, PartialTrailingRecordIsIgnoredAndOverwrittenByAnAppend) {
  ScratchFolder folder;
  const std::string two = Record("A", "1") + Record("B", "2");
  WriteBytes(folder.DataFile(), two + "x");  // 1021 bytes
  DataFile file(folder.DataFile());
  EXPECT_EQ(file.RecordCount(), 2);
  EXPECT_EQ(file.ReadRecord(2).key, Record("B", "2").substr(0, 255));
  file.Upsert("C", "3");
  file.Close();
  EXPECT_EQ(ReadBytes(folder.DataFile()), two + Record("C", "3"));  // appended at 1020
}

TEST(DataFileTest, PartialTrailingRecordStaysWhenNothingIsAppended) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(), Record("A", "1") + "xyz");
  DataFile file(folder.DataFile());
  file.Upsert("a", "9");
  file.Close();
  EXPECT_EQ(ReadBytes(folder.DataFile()), Record("a", "9") + "xyz");
}

TEST(DataFileTest, UpsertMatchesTrimmedUpperCasedKeysAndUpdatesTheCopyReadingTakes) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(), Record("ALTRO", "x") + Record("  pannellone_progettista", "old") +
                                    Record("PANNELLONE_PROGETTISTA", "dup"));
  DataFile file(folder.DataFile());
  file.Upsert("PANNELLONE_PROGETTISTA", "Arch. Rossi");
  file.Upsert("PANNELLONE_NUOVA", "n");
  file.Upsert("pannellone_nuova ", "m");  // the record just appended is found again
  file.Close();
  // The earlier copy is the sibling program's business: it keeps its bytes.
  EXPECT_EQ(ReadBytes(folder.DataFile()),
            Record("ALTRO", "x") + Record("  pannellone_progettista", "old") +
                Record("PANNELLONE_PROGETTISTA", "Arch. Rossi") + Record("pannellone_nuova ", "m"));
  EXPECT_EQ(ReadKeys(folder.DataFile(), {"PANNELLONE_PROGETTISTA"}).at("PANNELLONE_PROGETTISTA"),
            "Arch. Rossi");
}

TEST(DataFileTest, ReadKeysTakesTheLastOccurrenceTrimmed) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(),
             Record(" chiave", "  primo ") + Record("ALTRA", "a") + Record("CHIAVE  ", " secondo"));
  const auto values = ReadKeys(folder.DataFile(), {"CHIAVE", "MANCANTE"});
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values.at("CHIAVE"), "secondo");
}

TEST(DataFileTest, UnclosedFileWritesNothing) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(), Record("A", "1"));
  {
    DataFile file(folder.DataFile());
    file.Upsert("A", "2");
    file.Upsert("B", "3");
  }
  EXPECT_EQ(ReadBytes(folder.DataFile()), Record("A", "1"));
}

// The message of the DataFileError `action` throws, or "none".
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const DataFileError& error) {
    return error.what();
  }
  return "none";
}

TEST(DataFileTest, FailuresToOpenNameTheFileAndTheCauseAndNeverWait) {
  ScratchFolder folder;
  const auto folder_in_place = folder.path() / "cartella.dat";
  std::filesystem::create_directory(folder_in_place);
  const auto pipe = folder.path() / "tubo.dat";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  const auto loop = folder.path() / "anello.dat";
  std::filesystem::create_symlink(loop, loop);
  const auto missing_folder = folder.path() / "manca" / "dati2.dat";
  const auto long_name = folder.path() / std::string(300, 'n');
  const struct {
    std::filesystem::path path;
    DataAccess access;
    std::string message;
  } cases[] = {
      {folder_in_place, DataAccess::kSave,
       "Impossibile salvare il file dei dati \"" + folder_in_place.string() +
           "\": al suo posto c'è una cartella."},
      {folder_in_place, DataAccess::kReadCreate,
       "Impossibile aprire il file dei dati \"" + folder_in_place.string() +
           "\": al suo posto c'è una cartella."},
      {pipe, DataAccess::kRead,
       "Impossibile aprire il file dei dati \"" + pipe.string() + "\": non è un file normale."},
      {pipe, DataAccess::kSave,
       "Impossibile salvare il file dei dati \"" + pipe.string() + "\": non è un file normale."},
      {loop, DataAccess::kRead,
       "Impossibile aprire il file dei dati \"" + loop.string() +
           "\": troppi collegamenti simbolici (un collegamento rimanda a sé)."},
      {missing_folder, DataAccess::kSave,
       "Impossibile creare il file dei dati \"" + missing_folder.string() +
           "\": la cartella non esiste."},
      {long_name, DataAccess::kReadCreate,
       "Impossibile aprire il file dei dati \"" + long_name.string() +
           "\": il nome è troppo lungo."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf([&] { DataFile file(c.path, c.access); }), c.message);
  }
  // Reading for the billboard neither needs nor creates a missing file.
  EXPECT_TRUE(ReadKeys(missing_folder, {"A"}, DataAccess::kRead).empty());
  EXPECT_FALSE(std::filesystem::exists(missing_folder.parent_path()));
}

TEST(DataFileTest, ASaveKeepsTheModeAndASymbolicLink) {
  ScratchFolder folder;
  const auto real = folder.path() / "vero.dat";
  WriteBytes(real, Record("A", "1"));
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, folder.DataFile());
  DataFile file(folder.DataFile());
  file.Upsert("A", "2");
  file.Close();
  EXPECT_TRUE(std::filesystem::is_symlink(folder.DataFile()));
  EXPECT_EQ(ReadBytes(real), Record("A", "2"));
  struct stat status {};
  ASSERT_EQ(::stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(DataFileTest, AFileSizeLimitLeavesEveryByteAndNoTemporaryFile) {
  ScratchFolder folder;
  std::string original;
  for (int i = 0; i < 30; ++i) original += Record("ESTRANEA_" + std::to_string(i), "valore");
  original += Record("PANNELLONE_PROGETTISTA", "vecchio") + "coda";
  WriteBytes(folder.DataFile(), original);
  const auto child = pagora::testing::RunInChild(
      [&] {
        DataFile file(folder.DataFile());
        file.Upsert("PANNELLONE_PROGETTISTA", "nuovo");
        for (int i = 0; i < 5; ++i) file.Upsert("PANNELLONE_" + std::to_string(i), "x");
        return ErrorOf([&] { file.Close(); });
      },
      {.unprivileged = false, .file_size_limit = original.size()});
  ASSERT_TRUE(child.ran) << child.reason;
  EXPECT_EQ(child.report, "Impossibile salvare il file dei dati \"" + folder.DataFile().string() +
                              "\": il disco è pieno (il file supera la dimensione consentita).");
  EXPECT_EQ(ReadBytes(folder.DataFile()), original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(DataFileTest, PermissionsAreReportedAsAccessDenied) {
  ScratchFolder folder;
  const auto read_only_file = folder.path() / "sola_lettura.dat";
  WriteBytes(read_only_file, Record("A", "1"));
  const auto locked_folder = folder.path() / "chiusa";
  std::filesystem::create_directory(locked_folder);
  WriteBytes(locked_folder / "dati2.dat", Record("B", "2"));
  pagora::testing::OpenToEveryone(folder.path().string());
  ::chmod(read_only_file.c_str(), 0444);
  ::chmod(locked_folder.c_str(), 0555);
  const auto child = pagora::testing::RunInChild(
      [&] {
        const auto save = [](const std::filesystem::path& path) {
          return ErrorOf([&] {
            DataFile file(path);
            file.Upsert("A", "9");
            file.Close();
          });
        };
        std::string report = save(read_only_file) + "\n" + save(locked_folder / "dati2.dat") +
                             "\n" + save(locked_folder / "nuovo.dat") + "\n";
        // A read-only file still loads.
        report += ReadKeys(read_only_file, {"A"}).at("A");
        return report;
      },
      {.unprivileged = true, .file_size_limit = std::nullopt});
  ::chmod(locked_folder.c_str(), 0777);
  if (!child.ran) GTEST_SKIP() << child.reason;
  EXPECT_EQ(child.report, "Impossibile salvare il file dei dati \"" + read_only_file.string() +
                              "\": accesso negato.\n" + "Impossibile salvare il file dei dati \"" +
                              (locked_folder / "dati2.dat").string() + "\": accesso negato.\n" +
                              "Impossibile salvare il file dei dati \"" +
                              (locked_folder / "nuovo.dat").string() + "\": accesso negato.\n1");
  EXPECT_EQ(ReadBytes(read_only_file), Record("A", "1"));
  EXPECT_EQ(ReadBytes(locked_folder / "dati2.dat"), Record("B", "2"));
  EXPECT_FALSE(std::filesystem::exists(locked_folder / "nuovo.dat"));
}

TEST(DataFileTest, ALockHeldTooLongByAnotherProgramIsReported) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(), Record("A", "1"));
  const std::string busy = "Il file dei dati \"" + folder.DataFile().string() +
                           "\" è bloccato da un altro programma che lo sta usando: riprovare tra "
                           "qualche istante.";
  const auto wait = std::chrono::milliseconds(150);
  {
    LockHolder saver(folder.DataFile(), /*exclusive=*/true, 1000);
    EXPECT_EQ(ErrorOf([&] { ReadKeys(folder.DataFile(), {"A"}, DataAccess::kRead, wait); }), busy);
    EXPECT_EQ(ErrorOf([&] { DataFile file(folder.DataFile(), DataAccess::kSave, wait); }), busy);
  }
  {
    LockHolder reader(folder.DataFile(), /*exclusive=*/false, 1000);
    EXPECT_EQ(ReadKeys(folder.DataFile(), {"A"}, DataAccess::kRead, wait).at("A"), "1");
    EXPECT_EQ(ErrorOf([&] { DataFile file(folder.DataFile(), DataAccess::kSave, wait); }), busy);
  }
  EXPECT_EQ(ReadBytes(folder.DataFile()), Record("A", "1"));
}

TEST(DataFileTest, ASaveWaitsForAnotherSaverAndKeepsWhatItAppended) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(), Record("ESTRANEA", "x"));
  {
    LockHolder sibling(folder.DataFile(), /*exclusive=*/true, 300, Record("APPESA", "y"));
    DataFile file(folder.DataFile(), DataAccess::kSave, std::chrono::seconds(5));
    file.Upsert("PANNELLONE_PROGETTISTA", "z");
    file.Close();
  }
  EXPECT_EQ(ReadBytes(folder.DataFile()), Record("ESTRANEA", "x") + Record("APPESA", "y") +
                                              Record("PANNELLONE_PROGETTISTA", "z"));
}

}  // namespace
}  // namespace pannellonistica

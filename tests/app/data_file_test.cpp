#include "app/data_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "tests/app/data_file_helpers.h"

namespace pannellonistica {
namespace {

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

TEST(DataFileTest, UpsertMatchesTrimmedUpperCasedKeysAndUpdatesTheFirst) {
  ScratchFolder folder;
  WriteBytes(folder.DataFile(), Record("ALTRO", "x") + Record("  pannellone_progettista", "old") +
                                    Record("PANNELLONE_PROGETTISTA", "dup"));
  DataFile file(folder.DataFile());
  file.Upsert("PANNELLONE_PROGETTISTA", "Arch. Rossi");
  file.Upsert("PANNELLONE_NUOVA", "n");
  file.Upsert("pannellone_nuova ", "m");  // the record just appended is found again
  file.Close();
  EXPECT_EQ(ReadBytes(folder.DataFile()),
            Record("ALTRO", "x") + Record("PANNELLONE_PROGETTISTA", "Arch. Rossi") +
                Record("PANNELLONE_PROGETTISTA", "dup") + Record("pannellone_nuova ", "m"));
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

TEST(DataFileTest, AFolderInPlaceOfTheFileIsReportedInItalian) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.DataFile());
  try {
    DataFile file(folder.DataFile());
    FAIL() << "opened a folder";
  } catch (const DataFileError& error) {
    EXPECT_NE(std::string(error.what()).find("Impossibile aprire il file dei dati"),
              std::string::npos);
  }
  EXPECT_THROW(DataFile(folder.path() / "manca" / "dati2.dat"), DataFileError);
}

// Holds the process's file-size limit so that writes past `bytes` fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit saved_{};
  void (*previous_handler_)(int) = nullptr;
};

TEST(DataFileTest, AWriteFailingMidwayLeavesEveryRecordIntact) {
  ScratchFolder folder;
  std::string original;
  for (int i = 0; i < 30; ++i) original += Record("ESTRANEA_" + std::to_string(i), "valore");
  original += Record("PANNELLONE_PROGETTISTA", "vecchio") + "coda";
  WriteBytes(folder.DataFile(), original);
  DataFile file(folder.DataFile());
  file.Upsert("PANNELLONE_PROGETTISTA", "nuovo");  // an update in place...
  for (int i = 0; i < 5; ++i) file.Upsert("PANNELLONE_" + std::to_string(i), "x");  // ...appends
  {
    // Room for two and a half of the five appended records: the write stops midway.
    FileSizeLimit limit(original.size() - 4 + 1275);
    try {
      file.Close();
      FAIL() << "the write past the limit succeeded";
    } catch (const DataFileError& error) {
      EXPECT_NE(std::string(error.what()).find("supera la dimensione"), std::string::npos);
    }
  }
  EXPECT_EQ(ReadBytes(folder.DataFile()), original);
}

}  // namespace
}  // namespace pannellonistica

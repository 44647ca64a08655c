// Two billboards printed at once, round after round, while the form saves and a sibling
// program that locks adds records: every billboard is whole, no record is lost. The number
// of rounds comes from PANNELLONISTICA_ROUNDS (20 by default; scripts/concurrency-run asks
// for 300).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "app/billboard_generator.h"
#include "app/data_file.h"
#include "app/pannellonistica_form.h"
#include "tests/app/data_file_helpers.h"
#include "tests/app/fake_message_boxes.h"
#include "tests/support/pdf_checker.h"

namespace pannellonistica {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::Record;
using testing::WriteBytes;

constexpr int kForeignRecords = 30;

int Rounds() {
  const char* rounds = std::getenv("PANNELLONISTICA_ROUNDS");
  return rounds != nullptr && std::atoi(rounds) > 0 ? std::atoi(rounds) : 20;
}

// Runs `body` in a child process; its result (a count of failures, at most 255) becomes the
// exit status.
pid_t Spawn(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(std::min(body(), 255));
  return child;
}

int Wait(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string AddedKey(int round) {
  return "ESTRANEA_AGGIUNTA_" + std::to_string(round);
}

TEST(ConcurrencyTest, TwoPrintsWhileSavingGiveWholeBillboardsAndLoseNoRecord) {
  pagora::testing::TempDir dir;
  std::string foreign;
  for (int i = 0; i < kForeignRecords; ++i) {
    foreign += Record("CHIAVE_ESTRANEA_" + std::to_string(i), "v\xE8");
  }
  const BillboardPaths paths{dir / "dati2.dat", PAGORA_BILLBOARD_PICTURES, dir / "pannellone.pdf"};
  WriteBytes(paths.data_file, foreign);
  const int rounds = Rounds();

  std::vector<pid_t> printers;
  for (int printer = 0; printer < 2; ++printer) {
    printers.push_back(Spawn([&, printer] {
      int failures = 0;
      const fs::path snapshot = dir / ("istantanea_" + std::to_string(printer) + ".pdf");
      for (int round = 0; round < rounds; ++round) {
        const BillboardOutcome outcome = BillboardGenerator(paths, nullptr);
        // Whatever billboard the name holds right now, taken whole by a hard link.
        fs::remove(snapshot);
        if (!outcome.printed || ::link(paths.output.c_str(), snapshot.c_str()) != 0 ||
            !pagora::testing::QpdfChecksClean(snapshot)) {
          ++failures;
        }
      }
      return failures;
    }));
  }
  const pid_t saver = Spawn([&] {
    testing::FakeMessageBoxes boxes;
    PannellonisticaForm form(dir.path(), boxes);
    form.carica_pannellonistica();
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
      form.Field(0).text = "Via Roma " + std::to_string(round);
      if (!form.salva()) ++failures;
    }
    return failures;
  });
  const pid_t sibling = Spawn([&] {
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
      try {
        DataFile file(paths.data_file);
        file.Upsert(AddedKey(round), "aggiunta");
        file.Close();
      } catch (const DataFileError&) {
        ++failures;
      }
    }
    return failures;
  });

  EXPECT_EQ(Wait(printers[0]), 0) << "failed or broken billboards of the first printer";
  EXPECT_EQ(Wait(printers[1]), 0) << "failed or broken billboards of the second printer";
  EXPECT_EQ(Wait(saver), 0) << "failed saves";
  EXPECT_EQ(Wait(sibling), 0) << "failed additions of the sibling";

  const std::string bytes = ReadBytes(paths.data_file);
  EXPECT_EQ(bytes.substr(0, foreign.size()), foreign);
  EXPECT_EQ(bytes.size(), (kForeignRecords + rounds + 14) * kRecordSize);
  std::vector<std::string> keys = {"PANNELLONE_INDIRIZZO_CONDOMINIO"};
  for (int round = 0; round < rounds; ++round) keys.push_back(AddedKey(round));
  const auto values = ReadKeys(paths.data_file, keys, DataAccess::kRead);
  EXPECT_EQ(values.size(), keys.size()) << "records lost";
  EXPECT_EQ(values.at("PANNELLONE_INDIRIZZO_CONDOMINIO"), "Via Roma " + std::to_string(rounds - 1));
  EXPECT_TRUE(pagora::testing::QpdfChecksClean(paths.output));
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace pannellonistica

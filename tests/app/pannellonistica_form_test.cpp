#include "app/pannellonistica_form.h"

#include <gtest/gtest.h>

#include "app/billboard_record.h"
#include "app/data_file.h"
#include "tests/app/data_file_helpers.h"
#include "tests/app/fake_message_boxes.h"

namespace pannellonistica {
namespace {

using testing::FakeMessageBoxes;
using testing::ReadBytes;
using testing::Record;
using testing::ScratchFolder;
using testing::WriteBytes;

constexpr char kConfirm[] =
    "Sovrascrivere: Sei sicuro di volere sovrascrivere la pannellonistica ?";

class FormTest : public ::testing::Test {
 protected:
  PannellonisticaForm& Loaded() {
    form_.carica_pannellonistica();
    return form_;
  }
  // Sets the two date fields as typed and saves with the answer Yes.
  bool SaveDates(const char* start, const char* end) {
    form_.Field(4).text = start;
    form_.Field(5).text = end;
    return form_.salva();
  }

  ScratchFolder folder_;
  FakeMessageBoxes boxes_;
  PannellonisticaForm form_{folder_.path(), boxes_};
};

TEST_F(FormTest, EmptyFileLoadsEmptyFieldsAndDatePlaceholders) {
  Loaded();
  EXPECT_EQ(form_.SiteClass(), -1);
  EXPECT_EQ(form_.Field(0).text, "");
  EXPECT_EQ(form_.Field(4).text, "gg/mm/aaaa");
  EXPECT_EQ(form_.Field(5).text, "gg/mm/aaaa");
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(FormTest, LoadsStoredValues) {
  WriteBytes(folder_.DataFile(), Record(" pannellone_tipo_centro", "csp") +
                                     Record("PANNELLONE_DATA_INIZIO_LAVORI", "20080305") +
                                     Record("PANNELLONE_DATA_FINE_LAVORI", "000000") +
                                     Record("pannellone_progettista", "  Arch. Bianchi ") +
                                     Record("PANNELLONE_PROGETTISTA", "Ing. Verdi"));
  Loaded();
  EXPECT_EQ(form_.SiteClass(), 1);
  EXPECT_TRUE(form_.PictureVisible(1));
  EXPECT_FALSE(form_.PictureVisible(0));
  EXPECT_EQ(form_.Field(4).text, "05/03/2008");
  EXPECT_EQ(form_.Field(5).text, "");            // "000000" shows as an empty field
  EXPECT_EQ(form_.Field(6).text, "Ing. Verdi");  // the last occurrence
}

TEST_F(FormTest, AnUntouchedPlaceholderWithoutAStoredDateIsSavedAsZero) {
  Loaded();
  ASSERT_TRUE(form_.salva());
  const auto values = ReadKeys(folder_.DataFile(), BillboardKeyList());
  EXPECT_EQ(values.at("PANNELLONE_DATA_INIZIO_LAVORI"), "0");
  EXPECT_EQ(values.at("PANNELLONE_DATA_FINE_LAVORI"), "0");
}

TEST_F(FormTest, ZeroDateLoadsAsPlaceholderAndUnknownClassSetsNoOption) {
  WriteBytes(folder_.DataFile(), Record("PANNELLONE_DATA_INIZIO_LAVORI", "0") +
                                     Record("PANNELLONE_TIPO_CENTRO", "XYZ"));
  Loaded();
  EXPECT_EQ(form_.Field(4).text, "gg/mm/aaaa");
  EXPECT_EQ(form_.SiteClass(), -1);
}

TEST_F(FormTest, SavesAllFourteenKeysInOrderAfterForeignRecords) {
  std::string foreign;
  for (int i = 0; i < 30; ++i) foreign += Record("CHIAVE_ESTRANEA_" + std::to_string(i), "v\xE8");
  WriteBytes(folder_.DataFile(), foreign);
  Loaded();
  form_.ClickOption(2);
  form_.Field(0).text = " Via Roma 1 ";
  form_.Field(4).text = "";  // entering the field cleared the placeholder
  form_.Field(5).text = "30/06/2009";
  ASSERT_TRUE(form_.salva());
  EXPECT_EQ(boxes_.shown, std::vector<std::string>{kConfirm});
  const std::string bytes = ReadBytes(folder_.DataFile());
  ASSERT_EQ(bytes.size(), 44u * 510);
  EXPECT_EQ(bytes.substr(0, foreign.size()), foreign);
  const std::string expected_values[14] = {
      "QP", " Via Roma 1 ", "", "", "", "000000", "20090630", "", "", "", "", "", "", ""};
  for (size_t i = 0; i < kBillboardKeys.size(); ++i) {
    EXPECT_EQ(bytes.substr((30 + i) * 510, 510), Record(kBillboardKeys[i], expected_values[i]))
        << kBillboardKeys[i];
  }
  ASSERT_TRUE(form_.salva());  // a second save adds nothing
  EXPECT_EQ(ReadBytes(folder_.DataFile()).size(), bytes.size());
}

TEST_F(FormTest, SaveRewritesALowerCaseKeyInPlace) {
  WriteBytes(folder_.DataFile(), Record("  pannellone_progettista", "vecchio"));
  Loaded();
  form_.Field(6).text = "nuovo";
  ASSERT_TRUE(form_.salva());
  EXPECT_EQ(ReadBytes(folder_.DataFile()).substr(0, 510),
            Record("PANNELLONE_PROGETTISTA", "nuovo"));
}

TEST_F(FormTest, DateChecks) {
  const struct {
    const char* start;
    const char* end;
    const char* refusal;  // null: saved
  } cases[] = {
      {"31/12/2008", "01/01/2009", nullptr},
      {"01/01/2009", "31/12/2008",
       "Pannellonistica: La data fine lavori non può essere antecedente quella di inizio!"},
      {"", "01/01/2009", nullptr},
      {"gg/mm/aaaa", "gg/mm/aaaa", nullptr},
      {"12/05", "", "Pannellonistica: La Data di inizio lavori è errata!"},
      {"29/02/2007", "", "Pannellonistica: La Data di inizio lavori è errata!"},
      {"01/01/2008", "01/13/2008", "Pannellonistica: La Data di fine lavori è errata!"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(folder_.DataFile());
    boxes_.shown.clear();
    EXPECT_EQ(SaveDates(c.start, c.end), c.refusal == nullptr) << c.start << " " << c.end;
    if (c.refusal != nullptr) {
      EXPECT_EQ(boxes_.shown, (std::vector<std::string>{kConfirm, c.refusal}));
      EXPECT_FALSE(std::filesystem::exists(folder_.DataFile())) << c.start;
    }
  }
}

TEST_F(FormTest, StoredDateForms) {
  ASSERT_TRUE(SaveDates("", "gg/mm/aaaa"));
  const auto values = ReadKeys(folder_.DataFile(), BillboardKeyList());
  EXPECT_EQ(values.at("PANNELLONE_DATA_INIZIO_LAVORI"), "000000");
  EXPECT_EQ(values.at("PANNELLONE_DATA_FINE_LAVORI"), "0");
  EXPECT_EQ(values.at("PANNELLONE_TIPO_CENTRO"), "");
}

TEST_F(FormTest, AnswerNoWritesNothing) {
  boxes_.answer = false;
  form_.Field(4).text = "not a date";
  EXPECT_FALSE(form_.salva());
  EXPECT_EQ(boxes_.shown, std::vector<std::string>{kConfirm});  // not even checked
  EXPECT_FALSE(std::filesystem::exists(folder_.DataFile()));
}

TEST_F(FormTest, UnwritableFileIsReportedWithTheCriticalBox) {
  std::filesystem::create_directory(folder_.DataFile());
  Loaded();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].rfind("FAIL Pannellonistica: Impossibile aprire", 0), 0u);
  EXPECT_EQ(form_.Field(4).text, "gg/mm/aaaa");
  form_.Field(0).text = "non salvato";
  EXPECT_FALSE(form_.salva());
  EXPECT_EQ(boxes_.shown.back(), "FAIL Pannellonistica: Impossibile salvare il file dei dati \"" +
                                     folder_.DataFile().string() +
                                     "\": al suo posto c'è una cartella.");
  EXPECT_EQ(form_.Field(0).text, "non salvato");  // the input is still there
}

TEST_F(FormTest, ADuplicatedKeyIsSavedWhereLoadingAndPrintingReadIt) {
  const std::string first = Record("PANNELLONE_PROGETTISTA", "primo");
  WriteBytes(folder_.DataFile(),
             first + Record("ALTRA", "a") + Record("pannellone_progettista ", "secondo"));
  Loaded();
  ASSERT_EQ(form_.Field(6).text, "secondo");
  form_.Field(6).text = "nuovo";
  ASSERT_TRUE(form_.salva());
  const std::string bytes = ReadBytes(folder_.DataFile());
  EXPECT_EQ(bytes.substr(0, 1020), first + Record("ALTRA", "a"));  // the sibling's copy
  EXPECT_EQ(bytes.substr(1020, 510), Record("PANNELLONE_PROGETTISTA", "nuovo"));
  PannellonisticaForm reloaded(folder_.path(), boxes_);
  reloaded.carica_pannellonistica();
  EXPECT_EQ(reloaded.Field(6).text, "nuovo");
}

TEST_F(FormTest, AnUntouchedDateKeepsItsStoredValueAnEditedOneMustBeValid) {
  const std::string start = Record("PANNELLONE_DATA_INIZIO_LAVORI", "200803051230");
  const std::string end = Record("PANNELLONE_DATA_FINE_LAVORI", "dopo l'estate");
  WriteBytes(folder_.DataFile(), start + end);
  Loaded();
  form_.Field(0).text = "Via Roma 1";
  ASSERT_TRUE(form_.salva());
  EXPECT_EQ(ReadBytes(folder_.DataFile()).substr(0, 1020), start + end);

  const std::string saved = ReadBytes(folder_.DataFile());
  for (const char* typed : {"31/02/2008", "ab/03/2008", "5/3"}) {
    boxes_.shown.clear();
    form_.Field(5).text = typed;
    EXPECT_FALSE(form_.salva()) << typed;
    EXPECT_EQ(boxes_.shown, (std::vector<std::string>{
                                kConfirm, "Pannellonistica: La Data di fine lavori è errata!"}))
        << typed;
    EXPECT_EQ(ReadBytes(folder_.DataFile()), saved) << typed;
  }
  form_.Field(5).text = "01/06/2009";
  ASSERT_TRUE(form_.salva());
  EXPECT_EQ(ReadBytes(folder_.DataFile()).substr(510, 510),
            Record("PANNELLONE_DATA_FINE_LAVORI", "20090601"));
}

TEST_F(FormTest, ASaveWhileAnotherProgramHoldsTheFileSaysSoAndKeepsTheInput) {
  WriteBytes(folder_.DataFile(), Record("ALTRA", "a"));
  Loaded();
  form_.SetLockWait(std::chrono::milliseconds(100));
  form_.Field(0).text = "da salvare";
  testing::LockHolder other(folder_.DataFile(), /*exclusive=*/true, 800);
  EXPECT_FALSE(form_.salva());
  EXPECT_EQ(boxes_.shown.back(), "FAIL Pannellonistica: Il file dei dati \"" +
                                     folder_.DataFile().string() +
                                     "\" è bloccato da un altro programma che lo sta usando: "
                                     "riprovare tra qualche istante.");
  EXPECT_EQ(form_.Field(0).text, "da salvare");
  EXPECT_EQ(ReadBytes(folder_.DataFile()), Record("ALTRA", "a"));
}

}  // namespace
}  // namespace pannellonistica

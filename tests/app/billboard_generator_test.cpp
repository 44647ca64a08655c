// The printed billboard, checked by the independent readers.
#include "app/billboard_generator.h"

#include <gtest/gtest.h>

#include "app/billboard_layout.h"
#include "tests/app/data_file_helpers.h"
#include "tests/support/pdf_checker.h"

namespace pannellonistica {
namespace {

using pagora::testing::NearColor;
using pagora::testing::PdfinfoField;
using pagora::testing::Raster;
using pagora::testing::Renderer;
using pagora::testing::Rgb;
using pagora::testing::RunCommand;
using pagora::testing::ShellQuote;
using testing::ReadBytes;
using testing::Record;
using testing::WriteBytes;

constexpr int kDpi = 9;

// The pixel at a point given in millimetres from the top-left corner.
Rgb At(const Raster& raster, float x_mm, float y_mm) {
  return raster.At(static_cast<int>(x_mm / 25.4f * kDpi), static_cast<int>(y_mm / 25.4f * kDpi));
}

std::string SampleData(const std::string& site_class) {
  return Record("PANNELLONE_TIPO_CENTRO", site_class) +
         Record("PANNELLONE_INDIRIZZO_CONDOMINIO", "Via Libert\xE0 12, Vesola") +
         Record("PANNELLONE_TIPOLOGIA_LAVORI", "Rifacimento facciate e tetto") +
         Record("PANNELLONE_RAGIONE_SOCIALE_IMPRESA", "") +
         Record("RAGIONE_SOCIALE_IMPRESA", "Edil Nicol\xF2 srl") +
         Record("PANNELLONE_DATA_INIZIO_LAVORI", "20080305") +
         Record("PANNELLONE_DATA_FINE_LAVORI", "0") + Record("DIA_SI_NO", "S") +
         Record("PANNELLONE_PROGETTISTA", "Arch. Giulia Verdi") +
         Record("PANNELLONE_COORDINATORE_ESECUZIONE",
                "Geom. Carlo Neri con un nome tanto lungo da non stare in una sola riga della "
                "casella CODADAPERDERE");
}

class BillboardTest : public ::testing::Test {
 protected:
  BillboardOutcome Print(const std::string& data) {
    WriteBytes(paths_.data_file, data);
    return BillboardGenerator(paths_, nullptr);
  }

  pagora::testing::TempDir dir_;
  BillboardPaths paths_{dir_ / "dati2.dat", PAGORA_BILLBOARD_PICTURES, dir_ / "pannellone.pdf"};
};

TEST_F(BillboardTest, PrintsOneProtectedRedPageWithEveryCaptionAndValue) {
  const std::string data = SampleData("csu");
  ASSERT_TRUE(Print(data).printed);
  const auto& pdf = paths_.output;
  ASSERT_TRUE(pagora::testing::PassesAllReaders(pdf));
  EXPECT_EQ(ReadBytes(paths_.data_file), data);  // printing never writes the data file

  const std::string info = RunCommand("pdfinfo " + ShellQuote(pdf.string())).output;
  EXPECT_EQ(PdfinfoField(info, "Pages"), "1");
  EXPECT_EQ(PdfinfoField(info, "Page size").substr(0, 20), "2836 x 3689.84 pts");
  EXPECT_EQ(
      PdfinfoField(info, "Encrypted").rfind("yes (print:yes copy:no change:no addNotes:no", 0), 0u);
  const std::string encryption =
      RunCommand("qpdf --show-encryption " + ShellQuote(pdf.string())).output;
  EXPECT_NE(encryption.find("R = 2"), std::string::npos) << encryption;
  EXPECT_NE(encryption.find("P = -60"), std::string::npos) << encryption;

  const std::string text = RunCommand("pdftotext " + ShellQuote(pdf.string()) + " -").output;
  // Captions begin with a space, and the extractor drops a blank at the end of a line.
  const auto words = [](std::string_view caption) {
    return std::string(caption.substr(1, caption.find_last_not_of(' ')));
  };
  for (const auto& caption : kLeftCaptions) {
    EXPECT_NE(text.find(words(caption.text)), std::string::npos) << caption.text << text;
  }
  for (const auto& caption : kRightCaptions) {
    EXPECT_NE(text.find(words(caption.text)), std::string::npos) << caption.text;
  }
  for (const char* value :
       {"Via Libertà 12, Vesola", "Rifacimento facciate e tetto", "Edil Nicolò srl", "05/03/2008",
        "DIA", "Arch. Giulia Verdi", "Geom. Carlo Neri"}) {
    EXPECT_NE(text.find(value), std::string::npos) << value << "\n" << text;
  }
  EXPECT_EQ(text.find("CODADAPERDERE"), std::string::npos);  // only a value's first line

  for (const Renderer renderer : {Renderer::kPoppler, Renderer::kMupdf}) {
    Raster page;
    ASSERT_TRUE(pagora::testing::Render(pdf, renderer, 1, kDpi, &page));
    EXPECT_TRUE(NearColor(At(page, 20, 20), Rgb{247, 18, 13}, 4));      // the red page
    EXPECT_TRUE(NearColor(At(page, 450, 762), Rgb{255, 255, 255}, 4));  // a value box
    EXPECT_TRUE(NearColor(At(page, 402, 440), Rgb{255, 255, 255}, 4));  // the programme's logo
    EXPECT_TRUE(NearColor(At(page, 530, 446), Rgb{255, 255, 255}, 4));  // the area picture
    EXPECT_TRUE(NearColor(At(page, 20, 300), Rgb{247, 18, 13}, 4));     // beside the banner
  }
}

TEST_F(BillboardTest, WithoutASiteClassThePageIsCompleteWithoutTheAreaPicture) {
  ASSERT_TRUE(Print(SampleData("")).printed);
  ASSERT_TRUE(pagora::testing::PassesAllReaders(paths_.output));
  const std::string file = ReadBytes(paths_.output);
  Raster page;
  ASSERT_TRUE(pagora::testing::Render(paths_.output, Renderer::kPoppler, 1, kDpi, &page));
  EXPECT_TRUE(NearColor(At(page, 530, 446), Rgb{247, 18, 13}, 4));
  EXPECT_TRUE(NearColor(At(page, 402, 440), Rgb{255, 255, 255}, 4));
}

TEST_F(BillboardTest, AMissingDataFilePrintsEmptyBoxesAndIsNotCreated) {
  ASSERT_TRUE(BillboardGenerator(paths_, nullptr).printed);
  EXPECT_FALSE(std::filesystem::exists(paths_.data_file));
  EXPECT_TRUE(pagora::testing::QpdfChecksClean(paths_.output));
}

TEST_F(BillboardTest, AnOutputInAMissingFolderIsACriticalFailure) {
  paths_.output = dir_ / "missing" / "pannellone.pdf";
  const BillboardOutcome outcome = Print(SampleData("QP"));
  EXPECT_FALSE(outcome.printed);
  EXPECT_TRUE(outcome.critical);
  EXPECT_EQ(outcome.message.rfind("Pagora.BeginDoc - Impossibile trovare il percorso", 0), 0u);
}

}  // namespace
}  // namespace pannellonistica

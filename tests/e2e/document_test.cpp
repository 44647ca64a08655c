// Whole documents written through the public interface, checked by independent readers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "pdf/core/pagora.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::PdfinfoField;
using testing::ReadFileBytes;
using testing::RunCommand;
using testing::ShellQuote;

LocalTime FixedTime() {
  return {2026, 12, 7, 10, 30, 15};
}

// Writes a document on `path` after `setup` has drawn on it.
void WriteDocument(const fs::path& path, const std::function<void(Pagora&)>& setup) {
  Pagora doc(FixedTime);
  doc.BeginDoc(path.string());
  ASSERT_EQ(doc.ErrNumber(), 0) << doc.ErrDescription();
  setup(doc);
  doc.EndDoc();
}

std::string Pdfinfo(const fs::path& pdf, const std::string& options = "") {
  return RunCommand("pdfinfo " + options + " " + ShellQuote(pdf.string())).output;
}

class DocumentTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  fs::path pdf_ = dir_ / "doc.pdf";
};

TEST_F(DocumentTest, HeaderCarriesTheBannerAndEveryDocumentHasAPage) {
  WriteDocument(pdf_, [](Pagora&) {});
  ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  const std::string file = ReadFileBytes(pdf_);
  EXPECT_EQ(file.substr(0, 11), "%PDF-1.3\n% ");
  EXPECT_NE(file.find("\xA9"), std::string::npos);
  EXPECT_LT(file.find("\xA9"), file.find("rel. 2.4.4\n"));
  EXPECT_EQ(PdfinfoField(Pdfinfo(pdf_), "Pages"), "1");
  EXPECT_EQ(Pagora::Version(), "2.4.4");
}

TEST_F(DocumentTest, ManyPagesAndPagesBegunTwiceInARow) {
  for (const int pages : {2, 1000}) {
    WriteDocument(pdf_, [&](Pagora& doc) {
      for (int i = 1; i <= pages; ++i) EXPECT_EQ(doc.BeginPage(), i);
      EXPECT_EQ(doc.GetPage(), pages);
    });
    ASSERT_TRUE(testing::PassesAllReaders(pdf_)) << pages;
    EXPECT_EQ(PdfinfoField(Pdfinfo(pdf_), "Pages"), std::to_string(pages));
  }
}

TEST_F(DocumentTest, EachPageTakesThePaperSizeAndRotationCurrentWhenItEnds) {
  const int codes[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                       13, 14, 15, 16, 17, -1, -2, -3, -4, -5, -6, -7, -8};
  WriteDocument(pdf_, [&](Pagora& doc) {
    for (const int code : codes) {
      doc.BeginPage();
      doc.SetPaperSize(code);
      doc.SetPageView(code & 3);
    }
    doc.SetScale(2);
    doc.BeginPage();
    doc.SetPaperSize(255, 210, 297);
    EXPECT_NEAR(doc.GetPageWidth(false), 210.0f, 1e-4);
  });
  ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  const std::string info = Pdfinfo(pdf_, "-f 1 -l 27");
  const char* expected[] = {
      "596 x 842",   "842 x 596",   "421 x 596",       "596 x 421",   "298 x 421",   "421 x 298",
      "210 x 298",   "298 x 210",   "612 x 792",       "792 x 612",   "792 x 1224",  "1224 x 792",
      "612 x 1008",  "1008 x 612",  "396 x 612",       "612 x 396",   "522 x 756",   "756 x 522",
      "1192 x 842",  "842 x 1192",  "1685 x 1192",     "1192 x 1685", "2384 x 1685", "1685 x 2384",
      "3371 x 2384", "2384 x 3371", "595.276 x 841.89"};
  const int rotation[] = {0, 270, 180, 90};
  for (int page = 1; page <= 27; ++page) {
    const std::string label =
        "Page " + std::string(page < 10 ? "   " : "  ") + std::to_string(page);
    EXPECT_EQ(PdfinfoField(info, label + " size").substr(0, std::string(expected[page - 1]).size()),
              expected[page - 1]);
    const int code = page <= 26 ? codes[page - 1] : 0;
    EXPECT_EQ(PdfinfoField(info, label + " rot"), std::to_string(rotation[code & 3])) << page;
  }
}

TEST_F(DocumentTest, UnitsMarginsAndPositionConvertThroughPoints) {
  Pagora doc(FixedTime);
  EXPECT_EQ(doc.GetPageWidth(false), 596.0f);
  doc.SetMargins(0, 0, 20, 10);
  EXPECT_EQ(doc.GetPageHeight(true), 812.0f);
  doc.SetScale(1);
  EXPECT_FLOAT_EQ(doc.GetPageHeight(false), 842.0f / 72.0f);
  doc.SetXY(1, 2);
  EXPECT_EQ(doc.GetX(), 1.0f);
  EXPECT_EQ(doc.GetY(), 2.0f);
  doc.SetScale(99);  // unknown codes change nothing
  EXPECT_EQ(doc.GetX(), 1.0f);
  doc.SetScale(255, 0);
  EXPECT_THROW(doc.GetX(), RuntimeError);
  doc.SetScale(255, 1e30f);
  EXPECT_THROW(doc.SetXY(1e30f, 0), RuntimeError);
}

TEST_F(DocumentTest, ClippedMarginsInMillimetresPassEveryReader) {
  WriteDocument(pdf_, [](Pagora& doc) {
    doc.SetScale(2);
    doc.SetMargins(10, 10, 20, 20, true);
    doc.BeginPage();
  });
  ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  EXPECT_NE(ReadFileBytes(pdf_).find("stream\n1 0 0 -1 28.346 785.307 cm \r0 0 539.307 728.614 re "
                                     "W n\r\r0 0 0 rg\r0 0 0 RG\nendstream"),
            std::string::npos);
}

TEST_F(DocumentTest, InformationTextsReadBackExactly) {
  const std::string title = "Cantiere \xE8 (via Roma) \\ <&> \"1\"";
  WriteDocument(pdf_, [&](Pagora& doc) {
    doc.SetDocProperty(title, "Rinnovo \xE0 ( parti comuni", "", "Ufficio", "", "a, b\\");
  });
  ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  const std::string info = Pdfinfo(pdf_, "-enc Latin1");
  EXPECT_EQ(PdfinfoField(info, "Title"), title);
  EXPECT_EQ(PdfinfoField(info, "Subject"), "Rinnovo \xE0 ( parti comuni");
  EXPECT_EQ(PdfinfoField(info, "Keywords"), "a, b\\");
  EXPECT_EQ(PdfinfoField(info, "Author"), "Pagora");  // empty texts keep the default
  EXPECT_EQ(PdfinfoField(info, "Creator"), "Ufficio");
  EXPECT_EQ(PdfinfoField(info, "Producer"), "Pagora Library \xA9 2026 the Pagora authors");
  EXPECT_EQ(PdfinfoField(info, "Metadata Stream"), "yes");

  // The metadata packet is well-formed XML that says the same.
  std::string packet = RunCommand("pdfinfo -meta " + ShellQuote(pdf_.string())).output;
  if (!packet.empty() && packet.back() == '\n') packet.pop_back();  // pdfinfo ends with a newline
  const fs::path xml = dir_ / "packet.xml";
  std::ofstream(xml, std::ios::binary) << packet;
  const auto lint = RunCommand("xmllint --noout " + ShellQuote(xml.string()));
  EXPECT_EQ(lint.exit_code, 0) << lint.output << packet;
  EXPECT_NE(packet.find(
                "<dc:title>Cantiere \xC3\xA8 (via Roma) \\ &lt;&amp;&gt; &quot;1&quot;</dc:title>"),
            std::string::npos)
      << packet;
  const std::size_t count_at = packet.find("bytes='") + 7;
  EXPECT_EQ(std::stoul(packet.substr(count_at)), packet.size()) << packet;
}

TEST_F(DocumentTest, EmptyTitleIsWrittenAsAnEmptyString) {
  WriteDocument(pdf_, [](Pagora& doc) { doc.SetDocProperty("", "", "", "", "", ""); });
  EXPECT_NE(ReadFileBytes(pdf_).find("\r/Title ()\r/Author (Pagora)"), std::string::npos);
}

TEST_F(DocumentTest, PageLabelsTransitionsAndViewerPreferences) {
  WriteDocument(pdf_, [](Pagora& doc) {
    doc.SetLabel(3, "", -1);  // pages 1-2: i, ii
    doc.SetLabel(0, "ignored", 5);
    doc.SetPageTransition(13, 2, 1);
    doc.BeginPage();
    doc.SetPageTransition(99, 1, 1);  // invalid: this page has none
    doc.BeginPage();
    doc.BeginPage();
    doc.SetLabel(1, "A-(1)", 7);  // page 3 on: A-(1)7, A-(1)8
    doc.SetPageTransition(0, 0, 0);
    doc.BeginPage();
    doc.SetViewerPreferences(kDisplayDocTitle | kLayoutTwoColumnLeft | kPageModeThumbnails);
  });
  ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  const std::string file = ReadFileBytes(pdf_);
  EXPECT_NE(
      file.find("/PageLabels << /Nums [ 0 <<  /S /r >> 2 <<  /S /D /P (A-\\(1\\)) /St 7 >>  ] >>"),
      std::string::npos);
  EXPECT_EQ(file.find("ignored"), std::string::npos);
  EXPECT_EQ(file.substr(0, 8), "%PDF-1.4");
  EXPECT_NE(file.find("/PageLayout /TwoColumnLeft\n/PageMode /UseThumbs\n"
                      "/ViewerPreferences << /DisplayDocTitle true  >>"),
            std::string::npos);

  const std::string json =
      RunCommand("qpdf --json --json-key=pagelabels " + ShellQuote(pdf_.string())).output;
  EXPECT_NE(json.find("\"/S\": \"/r\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"/P\": \"u:A-(1)\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"/St\": 7"), std::string::npos) << json;

  // Pages 1 and 3 dissolve (the default, set before any page); 2 and 4 have none.
  std::size_t dissolves = 0;
  for (std::size_t at = file.find("/Dur 2 /Trans << /Type /Trans /D 1 /S /Dissolve >> >>");
       at != std::string::npos; at = file.find("/S /Dissolve", at + 1)) {
    ++dissolves;
  }
  EXPECT_EQ(dissolves, 3u);
}

TEST_F(DocumentTest, SameCallsAndClockGiveTheSameBytes) {
  const auto draw = [](Pagora& doc) {
    doc.SetDocProperty("Uguale", "", "", "", "", "");
    doc.BeginPage();
    doc.SetLabel(2, "p", 3);
  };
  WriteDocument(pdf_, draw);
  const fs::path twin = dir_ / "twin.pdf";
  WriteDocument(twin, draw);
  EXPECT_EQ(ReadFileBytes(pdf_), ReadFileBytes(twin));
  EXPECT_NE(ReadFileBytes(pdf_).find("/CreationDate (D:20261207103015Z+01'00')"),
            std::string::npos);
}

TEST_F(DocumentTest, BeginDocRecordsFailuresToOpen) {
  Pagora doc(FixedTime);
  const std::string missing = (dir_ / "no" / "such.pdf").string();
  EXPECT_EQ(doc.BeginDoc(missing), missing);
  EXPECT_EQ(doc.ErrNumber(), kPathNotFound);
  EXPECT_EQ(doc.ErrSource(), "Pagora.BeginDoc");
  EXPECT_EQ(doc.ErrDescription(),
            "Impossibile trovare il percorso - " + missing + ": la cartella non esiste");
  EXPECT_THROW(doc.EndDoc(), RuntimeError);

  doc.Abort();
  EXPECT_EQ(doc.ErrNumber(), 0);
  EXPECT_EQ(doc.ErrSource(), "Pagora.BeginDoc");  // kept by Abort
  doc.BeginDoc(dir_.path().string());
  EXPECT_EQ(doc.ErrNumber(), kPathFileAccess);

  if (::geteuid() != 0) {  // permissions do not stop root
    const fs::path locked = dir_ / "locked.pdf";
    std::ofstream(locked) << "old";
    fs::permissions(locked, fs::perms::owner_read);
    doc.Abort();
    doc.BeginDoc(locked.string());
    EXPECT_EQ(doc.ErrNumber(), kPathFileAccess);
    EXPECT_EQ(ReadFileBytes(locked), "old");
  }
}

TEST_F(DocumentTest, EmptyNameMakesATemporaryFileInTheCurrentFolder) {
  const fs::path old = fs::current_path();
  fs::current_path(dir_.path());
  Pagora doc(FixedTime);
  const std::string name = doc.BeginDoc("");
  doc.EndDoc();
  fs::current_path(old);
  // Day 7, 10:30:15 and one digit d: 7103015d in hexadecimal.
  ASSERT_GE(name.size(), 6u);
  EXPECT_EQ(name.front(), '~');
  EXPECT_EQ(name.substr(name.size() - 4), ".pdf");
  const unsigned long value = std::stoul(name.substr(1, name.size() - 5), nullptr, 16);
  EXPECT_EQ(value / 10, 7103015u);
  EXPECT_TRUE(testing::QpdfChecksClean(dir_ / name));
}

TEST_F(DocumentTest, FileSizeFollowsTheWritingAndTheFinishedFile) {
  Pagora doc(FixedTime);
  EXPECT_EQ(doc.FileSize(), 0);
  doc.BeginDoc(pdf_.string());
  const std::int32_t header = doc.FileSize();
  EXPECT_GT(header, 9);
  doc.BeginPage();
  doc.EndPage();
  EXPECT_GT(doc.FileSize(), header);
  doc.EndDoc();
  EXPECT_EQ(static_cast<std::uintmax_t>(doc.FileSize()), fs::file_size(pdf_));
  EXPECT_THROW(doc.SetMemoryUsage(-1), RuntimeError);
  EXPECT_NO_THROW(doc.SetMemoryUsage(11));
}

TEST_F(DocumentTest, AbortKeepsThePreviousFileAndResetsSettings) {
  Pagora doc(FixedTime);
  doc.SetDocProperty("Prima", "", "", "", "", "");
  doc.SetPaperSize(1);
  std::ofstream(pdf_) << "previous";
  doc.BeginDoc(pdf_.string());
  doc.BeginPage();
  doc.Abort();
  EXPECT_EQ(ReadFileBytes(pdf_), "previous");
  EXPECT_EQ(doc.GetPageWidth(false), 596.0f);
  const fs::path second = dir_ / "second.pdf";
  doc.BeginDoc(second.string());
  doc.EndDoc();
  EXPECT_NE(ReadFileBytes(second).find("/Title (\\(senza titolo\\))"), std::string::npos);
  EXPECT_EQ(PdfinfoField(Pdfinfo(second), "Pages"), "1");
}

TEST_F(DocumentTest, OpenDocHandsTheFileToTheDesktopWithoutWaiting) {
  // A stand-in xdg-open first on the PATH records what it was asked to open.
  const fs::path bin = dir_ / "bin";
  fs::create_directory(bin);
  const fs::path marker = dir_ / "opened.txt";
  std::ofstream(bin / "xdg-open") << "#!/bin/sh\nprintf '%s' \"$1\" > "
                                  << ShellQuote(marker.string()) << ".tmp && mv "
                                  << ShellQuote(marker.string()) << ".tmp "
                                  << ShellQuote(marker.string()) << "\n";
  fs::permissions(bin / "xdg-open", fs::perms::owner_all);
  const std::string old_path = std::getenv("PATH");
  ::setenv("PATH", (bin.string() + ":" + old_path).c_str(), 1);

  Pagora doc(FixedTime);
  doc.BeginDoc(pdf_.string());
  doc.EndDoc();
  doc.OpenDoc();
  ::setenv("PATH", old_path.c_str(), 1);
  for (int i = 0; i < 100 && !fs::exists(marker); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ReadFileBytes(marker), pdf_.string());
}

}  // namespace
}  // namespace pagora

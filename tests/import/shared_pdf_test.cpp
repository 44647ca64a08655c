// Every PDF of tests/data/pdf read by the parser, checked against pdfinfo (poppler).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pdf/import/byte_source.h"
#include "pdf/import/page_tree.h"
#include "pdf/import/pdf_file.h"
#include "pdf/import/references.h"
#include "pdf/import/source_info.h"
#include "tests/import/pdf_corpus.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using testing::PdfCorpusFiles;
using testing::PdfinfoField;
using testing::RunCommand;
using testing::ShellQuote;

std::string TrimLeft(const std::string& text) {
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? "" : text.substr(start);
}

// What qpdf decodes from the page's content streams, joined as ReadPageContent joins them.
std::string QpdfContent(const fs::path& path, std::string_view page) {
  std::vector<ObjectRef> streams;
  const PdfValue contents = LookupKey(page, "Contents");
  ParseText parse(contents.raw);
  EXPECT_TRUE(parse.ReadReferenceArray(streams)) << contents.raw;
  std::string joined;
  for (const ObjectRef& stream : streams) {
    const auto run = RunCommand("qpdf --show-object=" + std::to_string(stream.number) +
                                " --filtered-stream-data " + ShellQuote(path.string()));
    EXPECT_EQ(run.exit_code, 0) << run.output;
    if (!joined.empty()) joined += '\n';
    joined += run.output;
  }
  return joined;
}

// Every page's inherited attributes and content read, and the objects its resources
// reach collected, as page import will; the content equals qpdf's.
void ReadEveryPage(PdfFile& file, const fs::path& path, const std::vector<std::uint32_t>& pages) {
  for (const std::uint32_t page : pages) {
    std::string dictionary, resources, box;
    ASSERT_EQ(file.ReadObjectText(page, dictionary), PdfStatus::kOk) << page;
    ASSERT_EQ(GetInheritedValue(file, dictionary, "Resources", resources), PdfStatus::kOk);
    ASSERT_EQ(GetInheritedValue(file, dictionary, "MediaBox", box), PdfStatus::kOk);
    double media_box[4];
    EXPECT_TRUE(ParseRectangle(box, media_box)) << box;
    std::vector<std::uint8_t> content;
    ASSERT_EQ(ReadPageContent(file, dictionary, content), PdfStatus::kOk) << page;
    EXPECT_FALSE(content.empty()) << page;
    EXPECT_TRUE(std::string(content.begin(), content.end()) == QpdfContent(path, dictionary))
        << "page object " << page;
    std::vector<std::uint32_t> objects;
    ASSERT_EQ(CollectReferencedObjects(
                  file, resources, [](std::uint32_t) { return false; }, objects),
              PdfStatus::kOk);
    for (const std::uint32_t number : objects) {
      PdfObject object;
      ASSERT_EQ(file.ReadObject(number, object), PdfStatus::kOk) << number;
    }
  }
}

TEST(SharedPdfCorpus, PagesAndInformationMatchPdfinfo) {
  const auto files = PdfCorpusFiles();
  ASSERT_GE(files.size(), 15u);
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    const auto report = RunCommand("pdfinfo -enc Latin1 " + ShellQuote(path.string()));
    ASSERT_EQ(report.exit_code, 0) << report.output;
    FileOpenResult opened = OpenFileByteSource(path.string());
    ASSERT_EQ(opened.status, FileOpenStatus::kOk);
    PdfFile file(std::move(opened.source));
    ASSERT_EQ(file.Open(), PdfStatus::kOk);
    const bool encrypted = PdfinfoField(report.output, "Encrypted").starts_with("yes");
    EXPECT_EQ(file.encrypted(), encrypted);
    if (encrypted) continue;

    std::vector<std::uint32_t> pages;
    ASSERT_EQ(CollectPages(file, pages), PdfStatus::kOk);
    EXPECT_EQ(std::to_string(pages.size()), PdfinfoField(report.output, "Pages"));
    SourceInfo info;
    ASSERT_EQ(ReadSourceInfo(file, info), PdfStatus::kOk);
    EXPECT_EQ(TrimLeft(info.title), PdfinfoField(report.output, "Title"));
    EXPECT_EQ(TrimLeft(info.subject), PdfinfoField(report.output, "Subject"));
    EXPECT_EQ(TrimLeft(info.author), PdfinfoField(report.output, "Author"));
    ReadEveryPage(file, path, pages);
  }
}

TEST(SharedPdfCorpus, OnlyRegularFilesOpen) {
  const testing::TempDir folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);  // opening must not wait for a writer
  const struct {
    std::string path;
    FileOpenStatus status;
  } cases[] = {
      {std::string(PAGORA_TEST_DATA_DIR) + "/pdf/none.pdf", FileOpenStatus::kNotFound},
      {std::string(PAGORA_TEST_DATA_DIR) + "/pdf", FileOpenStatus::kNotReadable},
      {"/dev/null", FileOpenStatus::kNotReadable},
      {(folder / "fifo").string(), FileOpenStatus::kNotReadable},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpenFileByteSource(c.path).status, c.status) << c.path;
  }
}

}  // namespace
}  // namespace pagora

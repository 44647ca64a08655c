#include "pdf/core/object_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

#include "pdf/core/runtime_error.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

class ObjectWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writer_.Open(path_.string());
    writer_.WriteLine("%PDF-1.3");
    writer_.ReserveSharedObjects();
  }

  TempDir dir_;
  std::filesystem::path path_ = dir_ / "out.pdf";
  PdfObjectWriter writer_;
};

TEST_F(ObjectWriterTest, NumbersObjectsFromFourAndIndexesEachOffset) {
  EXPECT_EQ(writer_.StartObject(), 4);
  writer_.WriteLine("<< >>");
  writer_.FinishObject();
  for (int i = 5; i <= 12; ++i) {
    EXPECT_EQ(writer_.StartObject(), i);
    writer_.FinishObject();
  }
  for (const int reserved : {3, 2, 1}) {
    EXPECT_EQ(writer_.StartObject(reserved), reserved);
    writer_.FinishObject();
  }
  EXPECT_EQ(writer_.current_object(), 1);
  EXPECT_EQ(writer_.highest_object(), 12);
  writer_.WriteXrefAndTrailer(11, 12, std::nullopt);
  const std::uint64_t size = writer_.FinishFile();

  const std::string file = ReadFileBytes(path_);
  EXPECT_EQ(size, file.size());
  EXPECT_EQ(file.substr(0, 15), "%PDF-1.3\n4 0 ob");
  const std::size_t xref = file.find("xref\n");
  ASSERT_NE(xref, std::string::npos);
  EXPECT_EQ(file.substr(xref, 30), "xref\n0 13\n0000000000 65535 f\r\n");
  for (int n = 1; n <= 12; ++n) {
    const std::string entry = file.substr(xref + 10 + 20 * n, 20);
    ASSERT_TRUE(std::all_of(entry.begin(), entry.begin() + 10, ::isdigit)) << entry;
    ASSERT_EQ(entry.substr(10), " 00000 n\r\n");
    const std::size_t offset = std::stoul(entry.substr(0, 10));
    const std::string line = std::to_string(n) + " 0 obj\n";
    EXPECT_EQ(file.substr(offset, line.size()), line) << "object " << n;
  }
  const std::string tail = file.substr(xref + 10 + 20 * 13);
  EXPECT_EQ(tail, "trailer\n<< /Size 13 /Info 11 0 R /Root 12 0 R\n>>\nstartxref\n" +
                      std::to_string(xref) + "\n%%EOF\n");
}

TEST_F(ObjectWriterTest, TrailerNamesEncryptionAndFileIdentifier) {
  writer_.StartObject();
  writer_.FinishObject();
  writer_.WriteXrefAndTrailer(4, 4, TrailerEncryption{4, "00FFA9"});
  writer_.FinishFile();
  const std::string file = ReadFileBytes(path_);
  EXPECT_NE(file.find("/Root 4 0 R\n/Encrypt 4 0 R /ID [<00FFA9><00FFA9>]\n>>\nstartxref\n"),
            std::string::npos);
}

TEST_F(ObjectWriterTest, RewritesTheHeaderForTheHighestVersionAsked) {
  writer_.RequireVersion(1);
  writer_.RequireVersion(2);
  writer_.RequireVersion(1);
  EXPECT_EQ(writer_.version_bump(), 2);
  writer_.RequireVersion(9);
  EXPECT_EQ(writer_.version_bump(), 6);
  writer_.WriteLine("% body");
  writer_.FinishFile();
  EXPECT_EQ(ReadFileBytes(path_), "%PDF-1.9\n% body\n");
}

TEST_F(ObjectWriterTest, ResetForgetsObjectsAndTheUnfinishedFile) {
  writer_.StartObject();
  writer_.Reset();
  EXPECT_FALSE(writer_.IsOpen());
  EXPECT_EQ(writer_.highest_object(), 0);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST(ObjectWriter, WritingWithoutAFileIsARuntimeError) {
  PdfObjectWriter writer;
  EXPECT_EQ(ErrorNumberOf([&] { writer.WriteLine("x"); }), kBadFileName);
  EXPECT_EQ(ErrorNumberOf([&] { writer.StartObject(); }), kBadFileName);
}

TEST(ObjectWriter, MapsOpenFailuresToErrorNumbers) {
  TempDir dir;
  PdfObjectWriter writer;
  EXPECT_EQ(ErrorNumberOf([&] { writer.Open((dir / "missing" / "a.pdf").string()); }),
            kPathNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { writer.Open(dir.path().string()); }), kPathFileAccess);
}

}  // namespace
}  // namespace pagora

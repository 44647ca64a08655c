#include "app/program_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/pdf_checker.h"

namespace pannellonistica {
namespace {

namespace fs = std::filesystem;
using pagora::testing::TempDir;

TEST(PicturesFolderTest, InstalledTreeUsesShareAndBuildTreeTheProgramFolder) {
  TempDir root;
  fs::create_directories(root / "usr/bin");
  EXPECT_EQ(PicturesFolder(root / "usr/bin"), root / "usr/bin");
  fs::create_directories(root / "usr/share/pannellonistica");
  EXPECT_EQ(PicturesFolder(root / "usr/bin"), root / "usr/share/pannellonistica");
}

TEST(DataFolderTest, ChoosesTheOptionThenTheWritableProgramFolderThenTheUserFolder) {
  TempDir root;
  const fs::path program = root / "bin";
  const fs::path user = root / "home/.local/share/pannellonistica";
  const fs::path chosen = root / "scelta";
  struct Case {
    std::optional<fs::path> option;
    bool writable;
    fs::path expected;
  };
  const Case cases[] = {
      {chosen, false, chosen},  // --cartella wins even over a read-only program folder
      {chosen, true, chosen},
      {std::nullopt, true, program},
      {std::nullopt, false, user},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataFolder(c.option, program, c.writable, user), c.expected)
        << (c.option ? "with" : "without") << " --cartella, writable " << c.writable;
  }
  EXPECT_TRUE(fs::is_directory(user));  // created for the first save
  EXPECT_FALSE(fs::exists(chosen));     // the user's own choice is never created
}

TEST(DataFolderTest, ReadOnlyFolderIsNotWritable) {
  TempDir root;
  EXPECT_TRUE(FolderIsWritable(root.path()));
  EXPECT_FALSE(FolderIsWritable(root / "missing"));
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(root.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(FolderIsWritable(root.path()));
  fs::permissions(root.path(), fs::perms::owner_all);
}

}  // namespace
}  // namespace pannellonistica

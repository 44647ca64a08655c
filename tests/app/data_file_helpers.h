// Builders of data files for the program's tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pannellonistica::testing {

// One 510-byte record: key and value padded with spaces.
std::string Record(std::string_view key, std::string_view value);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// A fresh empty folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path DataFile() const { return path_ / "dati2.dat"; }

 private:
  std::filesystem::path path_;
};

// Another program holding the data file's lock: a child process that locks `path`, lets
// the test go on, and after `hold_ms` appends `append` (when not empty) at the end of the
// file and exits, releasing the lock. The destructor waits for the child.
class LockHolder {
 public:
  LockHolder(const std::filesystem::path& path, bool exclusive, int hold_ms,
             std::string append = {});
  ~LockHolder();
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

 private:
  int child_ = -1;
};

}  // namespace pannellonistica::testing

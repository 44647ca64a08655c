#include "tests/app/data_file_helpers.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace pannellonistica::testing {

std::string Record(std::string_view key, std::string_view value) {
  std::string record(key);
  record.resize(255, ' ');
  record += value;
  record.resize(510, ' ');
  return record;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pannello-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

LockHolder::LockHolder(const std::filesystem::path& path, bool exclusive, int hold_ms,
                       std::string append) {
  int ready[2];
  if (::pipe(ready) != 0) throw std::runtime_error("pipe failed");
  child_ = ::fork();
  if (child_ < 0) throw std::runtime_error("fork failed");
  if (child_ == 0) {
    ::close(ready[0]);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0666);
    if (fd < 0 || ::flock(fd, exclusive ? LOCK_EX : LOCK_SH) != 0) ::_exit(1);
    [[maybe_unused]] const ssize_t told = ::write(ready[1], "L", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms));
    if (!append.empty()) {
      const off_t end = ::lseek(fd, 0, SEEK_END);
      if (::pwrite(fd, append.data(), append.size(), end) != static_cast<ssize_t>(append.size())) {
        ::_exit(2);
      }
    }
    ::_exit(0);
  }
  ::close(ready[1]);
  char byte = 0;
  const bool locked = ::read(ready[0], &byte, 1) == 1;
  ::close(ready[0]);
  if (!locked) throw std::runtime_error("the child could not lock the file");
}

LockHolder::~LockHolder() {
  int status = 0;
  if (child_ > 0) ::waitpid(child_, &status, 0);
}

}  // namespace pannellonistica::testing

#include "app/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace pannellonistica {
namespace {

constexpr int kNameAttempts = 100;

// The file a symbolic link leads to; the path itself otherwise.
std::filesystem::path RealTarget(const std::filesystem::path& path) {
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                         &std::free);
  return real ? std::filesystem::path(real.get()) : path;
}

int CreateBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
  auto seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  seed ^= static_cast<unsigned long long>(::getpid()) << 32;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08llx.tmp", seed >> 32);
    temporary = target.parent_path() / ("." + target.filename().string() + suffix);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

int ReplaceFileContent(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path target = RealTarget(path);
  std::filesystem::path temporary;
  const int fd = CreateBeside(target, temporary);
  if (fd < 0) return errno;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    ::fchmod(fd, old.st_mode & 07777);
    // Only root may give a file away; others keep what they can (the group, say).
    [[maybe_unused]] const bool owner_kept = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                             ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
  }
  int error = 0;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  // The rename is done and cannot be undone: a failure to sync the folder is not reported.
  const std::filesystem::path folder_path =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const int folder = ::open(folder_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return 0;
}

}  // namespace pannellonistica

#include "app/locked_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace pannellonistica {
namespace {

constexpr std::chrono::milliseconds kPollInterval{20};

}  // namespace

LockedOpen OpenLocked(const std::filesystem::path& path, int flags, LockKind kind,
                      std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const int operation = (kind == LockKind::kShared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  while (true) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return {-1, errno};
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      const int error = S_ISDIR(opened.st_mode) ? EISDIR : EINVAL;
      ::close(fd);
      return {-1, error};
    }
    while (::flock(fd, operation) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) {
        const int error = errno;
        ::close(fd);
        return {-1, error};
      }
      if (std::chrono::steady_clock::now() >= deadline) {
        ::close(fd);
        return {-1, kLockTimeout};
      }
      std::this_thread::sleep_for(kPollInterval);
    }
    struct stat current {};
    if (::stat(path.c_str(), &current) == 0 && current.st_dev == opened.st_dev &&
        current.st_ino == opened.st_ino) {
      return {fd, 0};
    }
    // Replaced (or removed) while we waited: the lock is on a file nobody reads any more.
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline) return {-1, kLockTimeout};
  }
}

}  // namespace pannellonistica

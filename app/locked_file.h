// Opening a file shared with other programs under an advisory lock (flock). Savers replace
// the file by renaming a new one over it, so a lock taken on the old file is worth nothing
// once that happens: the opener checks, after locking, that the path still names the file it
// locked, and starts again if not.
#pragma once

#include <chrono>
#include <filesystem>

namespace pannellonistica {

enum class LockKind { kShared, kExclusive };

// What became of an attempt: a descriptor (>= 0) holding the lock, or an errno value.
// kLockTimeout means another program held the lock for longer than the wait.
struct LockedOpen {
  int fd = -1;
  int error = 0;
};
inline constexpr int kLockTimeout = -1;

// Opens `path` with `flags` (O_NONBLOCK and O_CLOEXEC are added, so a pipe in its place is
// never waited on) and locks it, polling for at most `wait`. Anything but a regular file is
// refused with EINVAL, a folder with EISDIR.
LockedOpen OpenLocked(const std::filesystem::path& path, int flags, LockKind kind,
                      std::chrono::milliseconds wait);

}  // namespace pannellonistica

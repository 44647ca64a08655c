#include "pdf/core/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "pdf/core/runtime_error.h"

namespace pagora {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;
// Room left in a file name for the temporary name's dot and suffix.
constexpr std::size_t kTemporaryBaseLength = 200;
constexpr int kTemporaryNameAttempts = 100;

struct Failure {
  int number;
  std::string_view cause;
};

// The run-time error and the Italian cause of a failed system call on the output file.
Failure ClassifyError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return {kPathNotFound, "la cartella non esiste"};
    case EACCES:
    case EPERM:
      return {kPathFileAccess, "accesso negato"};
    case EROFS:
      return {kPathFileAccess, "accesso negato, il disco è di sola lettura"};
    case ENOSPC:
    case EDQUOT:
      return {kPathFileAccess, "il disco è pieno"};
    case EFBIG:
      return {kPathFileAccess, "il disco è pieno (il file supera la dimensione consentita)"};
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
      return {kBadFileName, "il file è in uso"};
    case ELOOP:
      return {kPathFileAccess, "troppi collegamenti simbolici (un collegamento rimanda a sé)"};
    case ENAMETOOLONG:
      return {kPathFileAccess, "il nome è troppo lungo"};
    case EISDIR:
      return {kPathFileAccess, "al suo posto c'è una cartella"};
    case EIO:
      return {kPathFileAccess, "errore di scrittura del disco"};
    default:
      return {kPathFileAccess, {}};
  }
}

RuntimeError FileError(const std::string& target, int error) {
  const Failure failure = ClassifyError(error);
  std::string detail = target + ": ";
  if (failure.cause.empty()) {
    detail += "errore di sistema " + std::to_string(error);
  } else {
    detail += failure.cause;
  }
  return RuntimeError(failure.number, detail);
}

// Writes all of `bytes` at the descriptor's offset, retrying short writes; false with errno
// set on failure.
bool WriteAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// The file a symbolic link leads to, so that the link itself survives the rename; the
// path as it is for anything else, including a link to a file not yet made.
std::string ResolvedTarget(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    // A missing file is made by Close; a loop or an unsearchable folder is reported now.
    if (errno == ENOENT) return path;
    throw FileError(path, errno);
  }
  if (!S_ISLNK(status.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                         &std::free);
  if (real) return real.get();
  if (errno == ENOENT) return path;
  throw FileError(path, errno);
}

// Throws unless an existing target is a regular file we may write. Returns its permission
// bits, or -1 when there is no target yet.
int CheckReplaceableTarget(const std::string& target, const std::string& shown_name) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    if (errno == ENOENT) return -1;
    throw FileError(shown_name, errno);
  }
  if (S_ISDIR(status.st_mode)) throw FileError(shown_name, EISDIR);
  if (!S_ISREG(status.st_mode)) {
    throw RuntimeError(kPathFileAccess, shown_name + ": non è un file normale");
  }
  // Opening for writing without truncation changes nothing, and asks the system the
  // question the old file's owner and mode decide.
  const int probe = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (probe < 0) throw FileError(shown_name, errno);
  ::close(probe);
  return static_cast<int>(status.st_mode & 07777);
}

// The folder part of `path` with its trailing separator, empty for a bare name.
std::string FolderPrefix(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Creates a fresh temporary file beside `target`, never reusing an existing name.
int CreateTemporary(const std::string& target, const std::string& shown_name,
                    std::string& temporary) {
  const std::string prefix = FolderPrefix(target);
  const std::string base = target.substr(prefix.size()).substr(0, kTemporaryBaseLength);
  auto seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  seed ^= static_cast<unsigned long long>(::getpid()) << 32;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", seed);
    temporary = prefix + "." + base + "." + std::string(suffix, 8) + ".tmp";
    const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  temporary.clear();
  throw FileError(shown_name, error);
}

// Makes the rename itself durable; a failure here cannot undo it, so it is not reported.
void SyncFolder(const std::string& target) {
  std::string folder = FolderPrefix(target);
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

OutputFile::~OutputFile() {
  Discard();
}

void OutputFile::Open(const std::string& path) {
  Discard();
  if (path.empty()) throw RuntimeError(kBadFileName);
  const std::string target = ResolvedTarget(path);
  const int mode = CheckReplaceableTarget(target, path);
  std::string temporary;
  const int fd = CreateTemporary(target, path, temporary);
  // Keep the old file's permissions; a new file gets the usual ones, from the umask.
  if (mode >= 0) ::fchmod(fd, static_cast<mode_t>(mode));
  fd_ = fd;
  name_ = path;
  target_ = target;
  temporary_ = std::move(temporary);
  position_ = 0;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
}

void OutputFile::Write(std::string_view bytes) {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  if (buffer_.size() + bytes.size() > kBufferSize) {
    Flush();
    if (bytes.size() >= kBufferSize) {
      if (queue_.active()) {
        const auto* const first = reinterpret_cast<const std::uint8_t*>(bytes.data());
        queue_.Add(fd_, std::vector<std::uint8_t>(first, first + bytes.size()));
      } else if (!WriteAll(fd_, bytes.data(), bytes.size())) {
        Fail(errno);
      }
      position_ += bytes.size();
      return;
    }
  }
  const auto* const first = reinterpret_cast<const std::uint8_t*>(bytes.data());
  buffer_.insert(buffer_.end(), first, first + bytes.size());
  position_ += bytes.size();
}

void OutputFile::WriteLater(std::vector<std::uint8_t> bytes, ByteTransform transform) {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  Flush();
  const std::size_t size = bytes.size();
  // Add takes the block only when it queues it.
  if (!queue_.Add(fd_, std::move(bytes), std::move(transform))) {
    // No second thread to be had: the work is done here.
    transform(bytes);
    if (!WriteAll(fd_, reinterpret_cast<const char*>(bytes.data()), size)) Fail(errno);
  }
  position_ += size;
}

void OutputFile::OverwriteStart(std::string_view bytes) {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  DrainQueue();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written =
        ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) Fail(errno);
    if (written == 0) Fail(EIO);
    done += static_cast<std::size_t>(written);
  }
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  if (queue_.active()) {
    // The buffer goes to the writing thread whole; a fresh one takes its place.
    queue_.Add(fd_, std::exchange(buffer_, {}));
    buffer_.reserve(kBufferSize);
    return;
  }
  const bool ok = WriteAll(fd_, reinterpret_cast<const char*>(buffer_.data()), buffer_.size());
  buffer_.clear();
  if (!ok) Fail(errno);
}

void OutputFile::DrainQueue() {
  Flush();
  if (const int error = queue_.Finish(); error != 0) Fail(error);
}

void OutputFile::Close() {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  DrainQueue();
  // A full disk may only show when the data reaches it.
  if (::fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  temporary_.clear();
  SyncFolder(target_);
}

void OutputFile::Discard() noexcept {
  // The second thread may still be writing to the descriptor.
  queue_.Abandon();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void OutputFile::Fail(int error) {
  // Whatever was written is unusable: the target keeps its old bytes.
  Discard();
  throw FileError(name_, error);
}

}  // namespace pagora

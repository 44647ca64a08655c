#include "pdf/core/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "pdf/core/runtime_error.h"

namespace pagora {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

int OpenErrorNumber(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
    case ENAMETOOLONG:
    case EINVAL:
      return kBadFileName;
    default:
      return kPathFileAccess;
  }
}

// Writes all of `bytes` at the descriptor's offset, retrying short writes.
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

}  // namespace

OutputFile::~OutputFile() {
  Discard();
}

void OutputFile::Open(const std::string& path) {
  Discard();
  if (path.empty()) throw RuntimeError(kBadFileName);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw RuntimeError(OpenErrorNumber(errno), path);
  fd_ = fd;
  position_ = 0;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
}

void OutputFile::Write(std::string_view bytes) {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  if (buffer_.size() + bytes.size() > kBufferSize) {
    Flush();
    if (bytes.size() >= kBufferSize) {
      if (!WriteAll(fd_, bytes.data(), bytes.size())) throw RuntimeError(kPathFileAccess);
      position_ += bytes.size();
      return;
    }
  }
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  position_ += bytes.size();
}

void OutputFile::OverwriteStart(std::string_view bytes) {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  Flush();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written =
        ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) throw RuntimeError(kPathFileAccess);
    done += static_cast<std::size_t>(written);
  }
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  const bool ok = WriteAll(fd_, buffer_.data(), buffer_.size());
  buffer_.clear();
  if (!ok) throw RuntimeError(kPathFileAccess);
}

void OutputFile::Close() {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  Flush();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw RuntimeError(kPathFileAccess);
}

void OutputFile::Discard() noexcept {
  if (fd_ < 0) return;
  if (!buffer_.empty()) WriteAll(fd_, buffer_.data(), buffer_.size());
  buffer_.clear();
  ::close(fd_);
  fd_ = -1;
}

}  // namespace pagora

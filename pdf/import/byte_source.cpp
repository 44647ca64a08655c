#include "pdf/import/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pagora {
namespace {

class FileByteSource : public ByteSource {
 public:
  FileByteSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~FileByteSource() override { ::close(fd_); }
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  std::uint64_t Size() const override { return size_; }

  std::int64_t Read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    if (offset >= size_) return 0;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    std::size_t done = 0;
    while (done < wanted) {
      const ssize_t got =
          ::pread(fd_, out.data() + done, wanted - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return -1;
      if (got == 0) break;  // the file shrank since it was opened
      done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
  }

 private:
  int fd_;
  std::uint64_t size_;
};

FileOpenStatus OpenFailure(int error) {
  switch (error) {
    case ENOENT:
      return FileOpenStatus::kNotFound;
    case ENOTDIR:
      return FileOpenStatus::kPathNotFound;
    default:
      return FileOpenStatus::kNotReadable;
  }
}

}  // namespace

std::int64_t MemoryByteSource::Read(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (offset >= bytes_.size()) return 0;
  const std::size_t count = std::min<std::size_t>(out.size(), bytes_.size() - offset);
  if (count > 0) std::memcpy(out.data(), bytes_.data() + offset, count);
  return static_cast<std::int64_t>(count);
}

FileOpenResult OpenFileByteSource(const std::string& path) {
  FileOpenResult result;
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.status = OpenFailure(errno);
    return result;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    result.status = FileOpenStatus::kNotReadable;
    return result;
  }
  result.status = FileOpenStatus::kOk;
  result.source = std::make_unique<FileByteSource>(fd, static_cast<std::uint64_t>(status.st_size));
  return result;
}

}  // namespace pagora

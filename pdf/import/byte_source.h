#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pagora {

// Random access to the bytes of a PDF file, so that the parser reads only what it needs.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The length of the file in bytes.
  virtual std::uint64_t Size() const = 0;
  // Copies up to out.size() bytes from `offset`; returns how many were copied (fewer at
  // the end of the file, 0 at or past it), or -1 when the file cannot be read.
  virtual std::int64_t Read(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

// A file already in memory (tests, fuzzing). Keeps its own copy of the bytes.
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  explicit MemoryByteSource(std::span<const std::uint8_t> bytes)
      : bytes_(bytes.begin(), bytes.end()) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::int64_t Read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

 private:
  std::vector<std::uint8_t> bytes_;
};

enum class FileOpenStatus {
  kOk,
  kNotFound,      // no such file (run-time error 53)
  kPathNotFound,  // a folder of the path is missing (76)
  kNotReadable,   // not a regular file, or reading is refused (75)
};

struct FileOpenResult {
  FileOpenStatus status = FileOpenStatus::kNotFound;
  std::unique_ptr<ByteSource> source;  // set when status is kOk
};

// Opens a regular file for reading on demand. A folder, pipe or device is never opened
// for reading nor waited on. The file stays open while the source lives.
FileOpenResult OpenFileByteSource(const std::string& path);

}  // namespace pagora

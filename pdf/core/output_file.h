#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// The document's output file: written strictly sequentially through a buffer, with the
// byte position of the next byte always known, and one rewrite of the first bytes at the
// end. Every failure is a RuntimeError: a file that is locked, busy or not writable is 52,
// a missing folder 76, any other open, write or close failure 75.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file left open, keeping what was written; errors are ignored here.
  ~OutputFile();

  // Creates or truncates the file. A file already open is closed first.
  void Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  // Appends bytes at the end. Throws when no file is open.
  void Write(std::string_view bytes);
  // Offset of the next byte to be written, counted from 0.
  std::uint64_t Position() const { return position_; }
  // Overwrites bytes at the start of the file without moving the write position.
  void OverwriteStart(std::string_view bytes);
  // Writes out the buffer and closes the file.
  void Close();
  // Closes without reporting errors; what was written stays on disk.
  void Discard() noexcept;

 private:
  void Flush();

  int fd_ = -1;
  std::uint64_t position_ = 0;
  std::vector<char> buffer_;
};

}  // namespace pagora

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/write_queue.h"

namespace pagora {

// The document's output file: written strictly sequentially through a buffer, with the
// byte position of the next byte always known, and one rewrite of the first bytes at the
// end.
//
// The bytes go to a temporary file beside the target, which replaces the target only when
// Close succeeds: a failure, a kill or Discard leaves any previous file byte for byte as it
// was. Every failure is a RuntimeError whose description names the target and the cause:
// a file busy or locked is 52; a target or folder that cannot be written, a full disk, a
// file-size limit or any other failure is 75; a missing folder is 76.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Discards a file left open: the target stays as it was.
  ~OutputFile();

  // Checks that `path` can be replaced (an existing target must be a writable regular
  // file; a symbolic link is followed) and creates the temporary file in its folder. A file
  // already open is discarded first.
  void Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  // Appends bytes at the end. Throws when no file is open.
  void Write(std::string_view bytes);
  // Appends `bytes` after `transform` has run over them, both done on a second thread while
  // the caller goes on. From then on until Close every byte is written by that thread, in
  // order, and a failure to write is reported by Close (or OverwriteStart). Throws when no
  // file is open.
  void WriteLater(std::vector<std::uint8_t> bytes, ByteTransform transform);
  // Offset of the next byte to be written, counted from 0.
  std::uint64_t Position() const { return position_; }
  // Overwrites bytes at the start of the file without moving the write position.
  void OverwriteStart(std::string_view bytes);
  // Writes out the buffer, forces the bytes to the disk and renames the temporary file over
  // the target. On failure the temporary file is removed and the target left as it was.
  void Close();
  // Removes the temporary file without reporting errors; the target stays as it was.
  void Discard() noexcept;

 private:
  void Flush();
  // Waits until the second thread has written everything; fails with its error.
  void DrainQueue();
  [[noreturn]] void Fail(int error);

  int fd_ = -1;
  std::string name_;       // the file as the caller named it, for messages
  std::string target_;     // the same, symbolic links resolved
  std::string temporary_;  // where the bytes go until Close
  std::uint64_t position_ = 0;
  std::vector<std::uint8_t> buffer_;
  WriteQueue queue_;  // writes in the file's order once WriteLater has been used
};

}  // namespace pagora

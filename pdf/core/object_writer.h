#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pdf/core/output_file.h"

namespace pagora {

// The trailer's reference to the encryption dictionary of a protected document.
struct TrailerEncryption {
  int dictionary_object = 0;
  // The file identifier as upper-case hexadecimal digits, two per byte.
  std::string file_id_hex;
};

// The lowest layer of the document: writes lines to the output file, numbers indirect
// objects and records where each starts, and writes the cross-reference table and
// trailer. Objects 1 to 3 are reserved for the page tree and the two shared resource
// dictionaries, which the document writes last; every other object is numbered in
// writing order from 4. Generation numbers are always 0.
class PdfObjectWriter {
 public:
  // Number of the reserved objects.
  static constexpr int kPageTreeObject = 1;
  static constexpr int kPageResourcesObject = 2;
  static constexpr int kPatternResourcesObject = 3;

  // Closes an open file without finishing it, empties the cross-reference table and
  // sets the highest object number and the version bump to 0.
  void Reset() noexcept;
  // Opens (creates or truncates) the output file. Throws RuntimeError 52, 75 or 76.
  void Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }
  // Closes an open file as it is, unfinished, keeping the object numbering.
  void CloseUnfinished() noexcept { file_.Discard(); }
  // Reserves objects 1 to 3: the next allocated object is 4.
  void ReserveSharedObjects() { highest_object_ = kPatternResourcesObject; }

  // Writes the bytes and one LF. Throws RuntimeError 52 when no file is open.
  void WriteLine(std::string_view text);
  // Writes bytes as they are, with no line end (stream data).
  void WriteBytes(std::string_view bytes);
  // The same for bytes that `transform` changes first, both on a second thread (see
  // OutputFile::WriteLater).
  void WriteBytesLater(std::vector<std::uint8_t> bytes, ByteTransform transform) {
    file_.WriteLater(std::move(bytes), std::move(transform));
  }
  // Hands out the next object number for an object that is named before it is written;
  // StartObject(number) writes it later. A reserved object never written is listed as
  // free, so a reference to it reads as null instead of pointing at another object.
  int Reserve();
  // Starts indirect object `number` (0 allocates the next one): records its offset in the
  // cross-reference table and writes the line "n 0 obj". Returns the number used.
  int StartObject(int number = 0);
  // Writes the line "endobj".
  void FinishObject() { WriteLine("endobj"); }
  // Raises the file's minor version to 3 + bump, for bump 0..6; the header is rewritten
  // by FinishFile.
  void RequireVersion(int bump);

  // Writes the cross-reference table and the trailer naming `info_object` as /Info and
  // `root_object` as /Root, plus /Encrypt and /ID for a protected document.
  void WriteXrefAndTrailer(int info_object, int root_object,
                           const std::optional<TrailerEncryption>& encryption);
  // Rewrites the header line when the version was raised, then closes the file.
  // Returns the final file size.
  std::uint64_t FinishFile();

  // Offset of the next byte to be written.
  std::uint64_t Position() const { return file_.Position(); }
  int highest_object() const { return highest_object_; }
  int current_object() const { return current_object_; }
  int version_bump() const { return version_bump_; }
  void set_memory_factor(std::uint8_t factor) { memory_factor_ = factor; }

 private:
  OutputFile file_;
  int highest_object_ = 0;
  int current_object_ = 0;
  int version_bump_ = 0;
  std::uint8_t memory_factor_ = 1;
  // Makes room in the cross-reference table for object `number`.
  void GrowTableTo(int number);

  // Byte offset of each object's "n 0 obj" line, indexed by object number; index 0 unused,
  // 0 for an object not written (yet). Its length follows the engine's table growth rule.
  std::vector<std::uint64_t> xref_offsets_;
};

}  // namespace pagora

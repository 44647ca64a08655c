#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pdf/import/byte_source.h"
#include "pdf/import/cross_reference.h"
#include "pdf/import/parse_text.h"
#include "pdf/import/pdf_status.h"

namespace pagora {

// One object of a source file.
struct PdfObject {
  // The object's value as written: a dictionary "<< ... >>" for streams and most objects,
  // or an array, number, string...; empty for an empty object (read as null).
  std::string text;
  bool has_stream = false;
  std::vector<std::uint8_t> stream;  // the stream's stored bytes, its filters not undone
};

// A PDF file opened for reading. Only the cross-reference is kept in memory; objects are
// read on demand from the byte source; decoded object streams are kept up to a budget.
// Every operation returns a status and never reads outside the file or past the limits.
class PdfFile {
 public:
  explicit PdfFile(std::unique_ptr<ByteSource> source, PdfLimits limits = {});
  ~PdfFile();
  PdfFile(const PdfFile&) = delete;
  PdfFile& operator=(const PdfFile&) = delete;

  // Reads the header, the "startxref" offset among the last 1024 bytes, and the
  // cross-reference sections with their trailers. An encrypted file opens (so that the
  // caller can tell why it refuses it); its strings and streams stay encrypted.
  PdfStatus Open();

  // The minor digit of a "%PDF-1.x" header minus 3 (1.4 gives 1); a "%PDF-2.x" header
  // gives 7.
  int version_level() const { return version_level_; }
  bool encrypted() const { return trailer_.encrypted; }
  ObjectRef root() const { return trailer_.root; }
  ObjectRef info() const { return trailer_.info; }
  const PdfLimits& limits() const { return limits_; }

  // Reads an object with its stream bytes, an indirect /Length followed. kMissingObject
  // for an object the cross-reference does not list or lists as free.
  PdfStatus ReadObject(std::uint32_t number, PdfObject& object);
  // Reads an object's text only (a stream's dictionary without its bytes).
  PdfStatus ReadObjectText(std::uint32_t number, std::string& text);

  // The text of a value, or of the object it refers to when it is a reference.
  PdfStatus ResolveText(const PdfValue& value, std::string& text);
  // The text of `key`'s value in `dictionary`, a reference resolved; empty when the key
  // is absent.
  PdfStatus LookupResolved(std::string_view dictionary, std::string_view key, std::string& text);

  // The stream's bytes with all its filters undone (see ApplyFilterChain); /Filter and
  // /DecodeParms may be references.
  PdfStatus DecodeStream(const PdfObject& object, std::vector<std::uint8_t>& data);

 private:
  struct ObjectStream;

  PdfStatus ReadObjectImpl(std::uint32_t number, bool with_stream, PdfObject& object);
  PdfStatus ReadStreamLength(std::string_view dictionary, std::optional<std::uint64_t>& length);
  PdfStatus ReadFromObjectStream(std::uint32_t number, const XrefEntry& entry, PdfObject& object);
  PdfStatus LoadObjectStream(std::uint32_t number, const ObjectStream*& stream);

  std::unique_ptr<ByteSource> source_;
  PdfLimits limits_;
  int version_level_ = 0;
  XrefTable xref_;
  XrefTrailer trailer_;
  // Objects being read right now, innermost last: reading one of them again is a cycle.
  std::vector<std::uint32_t> reading_;
  std::vector<std::unique_ptr<ObjectStream>> object_streams_;  // most recently used first
  std::size_t cached_bytes_ = 0;
};

}  // namespace pagora

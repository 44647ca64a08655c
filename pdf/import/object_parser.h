#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pdf/import/byte_source.h"
#include "pdf/import/parse_text.h"
#include "pdf/import/pdf_status.h"

namespace pagora {

// An indirect object "n g obj ... endobj" as it stands in the file.
struct IndirectObject {
  ObjectRef ref;     // the number and generation written before "obj"
  std::string text;  // the value, trimmed; empty for an empty object (read as null)
  bool has_stream = false;
  std::uint64_t stream_offset = 0;  // the first byte after "stream" and its end of line
};

// Reads up to `count` bytes from `offset` as text; kReadError when the source fails.
PdfStatus ReadText(const ByteSource& source, std::uint64_t offset, std::size_t count,
                   std::string& text);

// Parses the indirect object that starts at `offset` (white space may come first). Its value
// ends at "endobj" or "stream", or, when "endobj" is missing, where the next "n g obj"
// begins. The text is read in growing pieces, never beyond `max_text_bytes` (kTooLarge).
PdfStatus ParseIndirectObject(const ByteSource& source, std::uint64_t offset,
                              std::size_t max_text_bytes, IndirectObject& object);

// Reads the data of a stream that starts at `offset`. The declared /Length is trusted when
// "endstream" follows it; otherwise (a wrong or missing length, as some writers leave) the
// data ends before the next "endstream" and its end of line. kOutOfRange when neither
// gives an end inside the file, kTooLarge past `max_bytes`.
PdfStatus ReadStreamData(const ByteSource& source, std::uint64_t offset,
                         std::optional<std::uint64_t> declared_length, std::size_t max_bytes,
                         std::vector<std::uint8_t>& data);

}  // namespace pagora

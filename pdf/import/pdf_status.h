#pragma once

#include <cstddef>

namespace pagora {

// Why the parser could not give what was asked. The engine reports every one of them as
// an invalid file format (321).
enum class PdfStatus {
  kOk,
  kReadError,          // the file could not be read
  kMalformed,          // syntax the parser cannot make sense of
  kOutOfRange,         // an offset or a length that points past the end of the file
  kMissingObject,      // a reference to an object the cross-reference does not list
  kCycle,              // a chain of references, pages or "Prev" links that comes back on itself
  kTooDeep,            // nesting beyond kMaxPdfNesting
  kTooLarge,           // an object or a stream beyond the parser's limits
  kUnsupportedFilter,  // a stream filter the engine cannot decode (DCT, JBIG2, JPX, Crypt...)
};

// Arrays and dictionaries nested deeper than this, and chains of objects that resolve
// through each other (a /Length in an object stream whose /Length...), are refused.
inline constexpr int kMaxPdfNesting = 64;

// Bounds on what one file may make the parser read or allocate.
struct PdfLimits {
  std::size_t max_object_bytes = std::size_t{16} << 20;   // the text of one object
  std::size_t max_stream_bytes = std::size_t{256} << 20;  // one stream, stored or decoded
  std::size_t max_xref_sections = 4096;                   // sections chained by "Prev"
  std::size_t max_objects = std::size_t{1} << 22;         // cross-reference entries in all
  // Decoded object streams kept for reuse; the least recently used go first.
  std::size_t object_stream_cache_bytes = std::size_t{64} << 20;
};

// A short English name of a status, for test messages.
const char* PdfStatusName(PdfStatus status);

}  // namespace pagora

#pragma once

#include <cstdint>
#include <unordered_map>

#include "pdf/import/byte_source.h"
#include "pdf/import/parse_text.h"
#include "pdf/import/pdf_status.h"

namespace pagora {

// Where the cross-reference puts one object.
struct XrefEntry {
  enum class Kind : std::uint8_t { kFree, kInFile, kInStream };
  Kind kind = Kind::kFree;
  std::uint16_t generation = 0;
  std::uint32_t index = 0;   // kInStream: the object's place inside the object stream
  std::uint64_t offset = 0;  // kInFile: byte offset; kInStream: the object stream's number
};

// Object number -> entry. Sections are read newest first and an entry is kept only when no
// newer section listed the object, so an update's offsets (and its deletions) win. A map
// rather than an array: memory follows the entries actually read, whatever numbers a file
// claims.
class XrefTable {
 public:
  // Adds the entry unless the object is listed already; returns whether it was added.
  bool AddIfAbsent(std::uint32_t number, const XrefEntry& entry) {
    return entries_.try_emplace(number, entry).second;
  }
  const XrefEntry* Find(std::uint32_t number) const {
    const auto it = entries_.find(number);
    return it == entries_.end() ? nullptr : &it->second;
  }
  std::size_t size() const { return entries_.size(); }

 private:
  std::unordered_map<std::uint32_t, XrefEntry> entries_;
};

// What the trailers say, the newest trailer's word winning.
struct XrefTrailer {
  ObjectRef root;          // /Root, the catalog
  ObjectRef info;          // /Info, the document information (number 0: none)
  bool encrypted = false;  // some trailer has /Encrypt
};

// Reads the cross-reference section at `offset`, a classic "xref" table or a
// cross-reference stream (/Type /XRef, with /W, /Index and a predictor), and every older
// section that "Prev" reaches; a hybrid file's /XRefStm fills the objects its table leaves
// free. A "Prev" chain that comes back to a section already read gives kCycle.
PdfStatus ReadCrossReference(const ByteSource& source, std::uint64_t offset,
                             const PdfLimits& limits, XrefTable& table, XrefTrailer& trailer);

}  // namespace pagora

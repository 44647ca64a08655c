#include "pdf/import/cross_reference.h"

#include <set>
#include <string>
#include <vector>

#include "pdf/import/object_parser.h"
#include "pdf/import/pdf_lexer.h"
#include "pdf/import/stream_filters.h"

namespace pagora {
namespace {

constexpr std::size_t kHeaderWindow = 256;
constexpr std::size_t kTrailerWindow = 64 * 1024;
// The shortest a classic entry can be written: "0 0 n" and one white-space byte.
constexpr std::uint64_t kShortestEntry = 6;
constexpr int kMaxFieldWidth = 8;

struct NumberedEntry {
  std::uint32_t number;
  XrefEntry entry;
};

// One section's entries, kept apart until the section is complete (see AddSection).
struct Section {
  std::vector<NumberedEntry> entries;
  std::string trailer;  // the trailer dictionary, or the stream's dictionary
};

// A classic table: "xref", subsections "first count" with their entries, "trailer" and
// the trailer dictionary.
PdfStatus ReadClassicSection(const ByteSource& source, std::uint64_t pos, const PdfLimits& limits,
                             Section& section) {
  std::string text;
  for (;;) {
    PdfStatus status = ReadText(source, pos, kHeaderWindow, text);
    if (status != PdfStatus::kOk) return status;
    std::size_t p = 0;
    const Token first_token = NextPdfToken(text, p);
    if (IsKeyword(first_token, "trailer")) {
      pos += p;
      break;
    }
    const auto first = UnsignedValue(first_token);
    const auto count = UnsignedValue(NextPdfToken(text, p));
    if (!first || !count) return PdfStatus::kMalformed;
    pos += p;
    const std::uint64_t remaining = source.Size() - std::min(pos, source.Size());
    if (*count > remaining / kShortestEntry || *first > UINT32_MAX ||
        *count > UINT32_MAX + std::uint64_t{1} - *first) {
      return PdfStatus::kMalformed;
    }
    if (*count > limits.max_objects - std::min(limits.max_objects, section.entries.size())) {
      return PdfStatus::kTooLarge;
    }
    // Entries are 20 bytes by the format; the window allows for writers that pad more.
    status = ReadText(source, pos, static_cast<std::size_t>(*count * 24 + kHeaderWindow), text);
    if (status != PdfStatus::kOk) return status;
    p = 0;
    for (std::uint64_t i = 0; i < *count; ++i) {
      const auto offset = UnsignedValue(NextPdfToken(text, p));
      const auto generation = UnsignedValue(NextPdfToken(text, p));
      const Token type = NextPdfToken(text, p);
      if (!offset || !generation || type.kind != TokenKind::kKeyword ||
          (type.text != "n" && type.text != "f")) {
        return PdfStatus::kMalformed;
      }
      XrefEntry entry;
      entry.generation =
          static_cast<std::uint16_t>(std::min<std::uint64_t>(*generation, UINT16_MAX));
      // An object "in use" at offset 0 would be the header: a writer's slip, not an entry.
      if (type.text == "n" && *offset == 0) continue;
      if (type.text == "n") {
        entry.kind = XrefEntry::Kind::kInFile;
        entry.offset = *offset;
      }
      section.entries.push_back({static_cast<std::uint32_t>(*first + i), entry});
    }
    pos += p;
  }
  PdfStatus status = ReadText(source, pos, kTrailerWindow, text);
  if (status != PdfStatus::kOk) return status;
  ParseText parse(text);
  const PdfValue dictionary = parse.ReadValue();
  if (dictionary.kind != ValueKind::kDictionary) return PdfStatus::kMalformed;
  section.trailer = dictionary.text;
  return PdfStatus::kOk;
}

std::uint64_t Field(const std::uint8_t* bytes, int width) {
  std::uint64_t value = 0;
  for (int i = 0; i < width; ++i) value = value << 8 | bytes[i];
  return value;
}

// Reads /W or /Index, arrays of non-negative integers.
bool IntegerArray(std::string_view dictionary, std::string_view key,
                  std::vector<std::uint64_t>& out) {
  const PdfValue value = LookupKey(dictionary, key);
  if (value.kind != ValueKind::kArray) return false;
  ParseText items(value.raw.substr(1, value.raw.size() - 2));
  while (!items.AtEnd()) {
    const auto number = items.ReadInteger();
    if (!number || *number < 0) return false;
    out.push_back(static_cast<std::uint64_t>(*number));
  }
  return true;
}

// A cross-reference stream: binary entries of /W field widths for the objects of /Index.
PdfStatus ReadStreamSection(const ByteSource& source, std::uint64_t offset, const PdfLimits& limits,
                            Section& section) {
  IndirectObject object;
  PdfStatus status = ParseIndirectObject(source, offset, limits.max_object_bytes, object);
  if (status != PdfStatus::kOk) return status;
  const PdfValue type = LookupKey(object.text, "Type");
  if (!object.has_stream || type.kind != ValueKind::kName || type.text != "/XRef") {
    return PdfStatus::kMalformed;
  }
  // The format wants a direct /Length here; anything else is found from "endstream".
  const std::optional<std::uint64_t> declared =
      NonNegativeInteger(LookupKey(object.text, "Length"));
  std::vector<std::uint8_t> stored;
  status = ReadStreamData(source, object.stream_offset, declared, limits.max_stream_bytes, stored);
  if (status != PdfStatus::kOk) return status;
  std::vector<FilterStep> steps;
  status = ParseFilterChain(LookupKey(object.text, "Filter").raw,
                            LookupKey(object.text, "DecodeParms").raw, steps);
  if (status != PdfStatus::kOk) return status;
  std::vector<std::uint8_t> data;
  status = ApplyFilterChain(stored, steps, limits.max_stream_bytes, data);
  if (status != PdfStatus::kOk) return status;

  std::vector<std::uint64_t> widths;
  if (!IntegerArray(object.text, "W", widths) || widths.size() < 3) return PdfStatus::kMalformed;
  for (const std::uint64_t width : widths) {
    if (width > kMaxFieldWidth) return PdfStatus::kMalformed;
  }
  const int w0 = static_cast<int>(widths[0]), w1 = static_cast<int>(widths[1]),
            w2 = static_cast<int>(widths[2]);
  const std::size_t entry_size = static_cast<std::size_t>(w0 + w1 + w2);
  if (entry_size == 0) return PdfStatus::kMalformed;
  std::vector<std::uint64_t> index;
  if (LookupKey(object.text, "Index").kind == ValueKind::kNone) {
    const auto size = NonNegativeInteger(LookupKey(object.text, "Size"));
    if (!size) return PdfStatus::kMalformed;
    index = {0, *size};
  } else if (!IntegerArray(object.text, "Index", index) || index.size() % 2 != 0) {
    return PdfStatus::kMalformed;
  }
  std::size_t at = 0;
  for (std::size_t i = 0; i < index.size(); i += 2) {
    // Entries the data does not hold are left out rather than trusted from /Index.
    for (std::uint64_t k = 0; k < index[i + 1] && data.size() - at >= entry_size; ++k) {
      const std::uint64_t number = index[i] + k;
      if (number > UINT32_MAX) return PdfStatus::kMalformed;
      const std::uint8_t* bytes = data.data() + at;
      at += entry_size;
      const std::uint64_t kind = w0 == 0 ? 1 : Field(bytes, w0);
      const std::uint64_t second = Field(bytes + w0, w1);
      const std::uint64_t third = Field(bytes + w0 + w1, w2);
      XrefEntry entry;
      if (kind == 1) {
        if (second == 0) continue;  // "in use" at the header: a writer's slip
        entry.kind = XrefEntry::Kind::kInFile;
        entry.offset = second;
        entry.generation = static_cast<std::uint16_t>(std::min<std::uint64_t>(third, UINT16_MAX));
      } else if (kind == 2) {
        entry.kind = XrefEntry::Kind::kInStream;
        entry.offset = second;
        entry.index = static_cast<std::uint32_t>(std::min<std::uint64_t>(third, UINT32_MAX));
      } else if (kind != 0) {
        continue;  // types the format reserves read as null
      }
      if (section.entries.size() == limits.max_objects) return PdfStatus::kTooLarge;
      section.entries.push_back({static_cast<std::uint32_t>(number), entry});
    }
  }
  section.trailer = object.text;
  return PdfStatus::kOk;
}

PdfStatus ReadSection(const ByteSource& source, std::uint64_t offset, const PdfLimits& limits,
                      Section& section) {
  std::string head;
  const PdfStatus status = ReadText(source, offset, kHeaderWindow, head);
  if (status != PdfStatus::kOk) return status;
  if (head.empty()) return PdfStatus::kOutOfRange;
  std::size_t p = 0;
  const Token first = NextPdfToken(head, p);
  if (IsKeyword(first, "xref")) {
    return ReadClassicSection(source, offset + p, limits, section);
  }
  return ReadStreamSection(source, offset, limits, section);
}

void AddEntries(const std::vector<NumberedEntry>& entries, bool in_use, XrefTable& table) {
  for (const NumberedEntry& e : entries) {
    if ((e.entry.kind != XrefEntry::Kind::kFree) == in_use) table.AddIfAbsent(e.number, e.entry);
  }
}

ObjectRef ReferenceEntry(std::string_view dictionary, std::string_view key) {
  const PdfValue value = LookupKey(dictionary, key);
  return value.kind == ValueKind::kReference ? value.ref : ObjectRef{};
}

}  // namespace

PdfStatus ReadCrossReference(const ByteSource& source, std::uint64_t offset,
                             const PdfLimits& limits, XrefTable& table, XrefTrailer& trailer) {
  std::set<std::uint64_t> visited;
  for (std::optional<std::uint64_t> next = offset; next;) {
    if (!visited.insert(*next).second) return PdfStatus::kCycle;
    if (visited.size() > limits.max_xref_sections) return PdfStatus::kTooLarge;
    Section section;
    PdfStatus status = ReadSection(source, *next, limits, section);
    if (status != PdfStatus::kOk) return status;
    // A hybrid file lists its compressed objects as free in the table and in use in the
    // stream that /XRefStm names: objects in use in the table come first, then the
    // stream's, and the table's free entries only for what is left.
    AddEntries(section.entries, true, table);
    const auto stream_offset = NonNegativeInteger(LookupKey(section.trailer, "XRefStm"));
    if (stream_offset && visited.insert(*stream_offset).second) {
      Section stream;
      status = ReadStreamSection(source, *stream_offset, limits, stream);
      if (status != PdfStatus::kOk) return status;
      AddEntries(stream.entries, true, table);
      AddEntries(stream.entries, false, table);
    }
    AddEntries(section.entries, false, table);
    if (table.size() > limits.max_objects) return PdfStatus::kTooLarge;

    if (trailer.root.number == 0) trailer.root = ReferenceEntry(section.trailer, "Root");
    if (trailer.info.number == 0) trailer.info = ReferenceEntry(section.trailer, "Info");
    const ValueKind encrypt = LookupKey(section.trailer, "Encrypt").kind;
    if (encrypt != ValueKind::kNone && encrypt != ValueKind::kNull) trailer.encrypted = true;
    next = NonNegativeInteger(LookupKey(section.trailer, "Prev"));
  }
  return PdfStatus::kOk;
}

}  // namespace pagora

#include "pdf/import/pdf_file.h"

#include <algorithm>

#include "pdf/import/object_parser.h"
#include "pdf/import/pdf_lexer.h"
#include "pdf/import/stream_filters.h"

namespace pagora {
namespace {

constexpr std::size_t kHeaderSearch = 1024;
constexpr std::size_t kTailSearch = 1024;
constexpr std::string_view kHeader = "%PDF-";
constexpr std::string_view kStartXref = "startxref";

// Marks an object as being read for as long as this lives.
class ReadingGuard {
 public:
  ReadingGuard(std::vector<std::uint32_t>& reading, std::uint32_t number) : reading_(reading) {
    reading_.push_back(number);
  }
  ~ReadingGuard() { reading_.pop_back(); }
  ReadingGuard(const ReadingGuard&) = delete;
  ReadingGuard& operator=(const ReadingGuard&) = delete;

 private:
  std::vector<std::uint32_t>& reading_;
};

}  // namespace

// A decoded object stream: "number offset" pairs, then the objects from /First on.
struct PdfFile::ObjectStream {
  std::string_view Text() const {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
  }

  std::uint32_t number = 0;
  std::vector<std::uint8_t> data;  // decoded
  std::size_t first = 0;
  std::vector<std::pair<std::uint32_t, std::size_t>> objects;  // number, offset after first
};

PdfFile::PdfFile(std::unique_ptr<ByteSource> source, PdfLimits limits)
    : source_(std::move(source)), limits_(limits) {}

PdfFile::~PdfFile() = default;

PdfStatus PdfFile::Open() {
  std::string text;
  PdfStatus status = ReadText(*source_, 0, kHeaderSearch, text);
  if (status != PdfStatus::kOk) return status;
  const std::size_t header = text.find(kHeader);
  if (header == std::string::npos || text.size() < header + kHeader.size() + 3) {
    return PdfStatus::kMalformed;
  }
  const char major = text[header + kHeader.size()];
  const char minor = text[header + kHeader.size() + 2];
  version_level_ = major == '2' ? 7 : (minor >= '0' && minor <= '9' ? minor - '0' - 3 : 0);

  const std::uint64_t size = source_->Size();
  const std::uint64_t tail = size > kTailSearch ? size - kTailSearch : 0;
  status = ReadText(*source_, tail, kTailSearch, text);
  if (status != PdfStatus::kOk) return status;
  const std::size_t keyword = text.rfind(kStartXref);
  if (keyword == std::string::npos) return PdfStatus::kMalformed;
  ParseText parse(std::string_view(text).substr(keyword + kStartXref.size()));
  const auto offset = parse.ReadInteger();
  if (!offset || *offset < 0) return PdfStatus::kMalformed;
  return ReadCrossReference(*source_, static_cast<std::uint64_t>(*offset), limits_, xref_,
                            trailer_);
}

PdfStatus PdfFile::ReadObject(std::uint32_t number, PdfObject& object) {
  return ReadObjectImpl(number, true, object);
}

PdfStatus PdfFile::ReadObjectText(std::uint32_t number, std::string& text) {
  PdfObject object;
  const PdfStatus status = ReadObjectImpl(number, false, object);
  text = std::move(object.text);
  return status;
}

PdfStatus PdfFile::ReadObjectImpl(std::uint32_t number, bool with_stream, PdfObject& object) {
  object = PdfObject{};
  if (std::find(reading_.begin(), reading_.end(), number) != reading_.end()) {
    return PdfStatus::kCycle;
  }
  if (reading_.size() >= kMaxPdfNesting) return PdfStatus::kTooDeep;
  const XrefEntry* entry = xref_.Find(number);
  if (entry == nullptr || entry->kind == XrefEntry::Kind::kFree) return PdfStatus::kMissingObject;
  const ReadingGuard guard(reading_, number);
  if (entry->kind == XrefEntry::Kind::kInStream) {
    return ReadFromObjectStream(number, *entry, object);
  }
  IndirectObject indirect;
  PdfStatus status =
      ParseIndirectObject(*source_, entry->offset, limits_.max_object_bytes, indirect);
  if (status != PdfStatus::kOk) return status;
  if (indirect.ref.number != number) return PdfStatus::kMalformed;
  object.text = std::move(indirect.text);
  object.has_stream = indirect.has_stream;
  if (!indirect.has_stream || !with_stream) return PdfStatus::kOk;
  std::optional<std::uint64_t> length;
  status = ReadStreamLength(object.text, length);
  if (status != PdfStatus::kOk) return status;
  return ReadStreamData(*source_, indirect.stream_offset, length, limits_.max_stream_bytes,
                        object.stream);
}

// A /Length that is missing or not a number is left for ReadStreamData to find; one that
// refers to a missing object likewise, but a cycle or too deep a chain is an error.
PdfStatus PdfFile::ReadStreamLength(std::string_view dictionary,
                                    std::optional<std::uint64_t>& length) {
  const PdfValue value = LookupKey(dictionary, "Length");
  if (value.kind != ValueKind::kReference) {
    length = NonNegativeInteger(value);
    return PdfStatus::kOk;
  }
  std::string text;
  const PdfStatus status = ReadObjectText(value.ref.number, text);
  if (status == PdfStatus::kCycle || status == PdfStatus::kTooDeep) return status;
  if (status == PdfStatus::kOk) length = NonNegativeInteger(ParseText(text).ReadValue());
  return PdfStatus::kOk;
}

PdfStatus PdfFile::ReadFromObjectStream(std::uint32_t number, const XrefEntry& entry,
                                        PdfObject& object) {
  if (entry.offset > UINT32_MAX) return PdfStatus::kMalformed;
  const ObjectStream* stream = nullptr;
  const PdfStatus status = LoadObjectStream(static_cast<std::uint32_t>(entry.offset), stream);
  if (status != PdfStatus::kOk) return status;
  const auto& objects = stream->objects;
  std::size_t place = entry.index;
  if (place >= objects.size() || objects[place].first != number) {
    // The entry's index is a hint; the stream's own list decides.
    const auto it = std::find_if(objects.begin(), objects.end(),
                                 [number](const auto& o) { return o.first == number; });
    if (it == objects.end()) return PdfStatus::kMissingObject;
    place = static_cast<std::size_t>(it - objects.begin());
  }
  const std::size_t begin = stream->first + objects[place].second;
  std::size_t end = stream->data.size();
  if (place + 1 < objects.size() && objects[place + 1].second >= objects[place].second) {
    end = stream->first + objects[place + 1].second;
  }
  if (begin > stream->data.size() || end > stream->data.size()) return PdfStatus::kOutOfRange;
  object.text = TrimPdfWhitespace(stream->Text().substr(begin, end - begin));
  return PdfStatus::kOk;
}

PdfStatus PdfFile::LoadObjectStream(std::uint32_t number, const ObjectStream*& stream) {
  for (std::size_t i = 0; i < object_streams_.size(); ++i) {
    if (object_streams_[i]->number == number) {
      std::rotate(object_streams_.begin(), object_streams_.begin() + static_cast<std::ptrdiff_t>(i),
                  object_streams_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      stream = object_streams_.front().get();
      return PdfStatus::kOk;
    }
  }
  // An object stream must lie in the file itself, never inside another object stream.
  const XrefEntry* entry = xref_.Find(number);
  if (entry == nullptr || entry->kind != XrefEntry::Kind::kInFile) return PdfStatus::kMalformed;
  PdfObject object;
  PdfStatus status = ReadObject(number, object);
  if (status != PdfStatus::kOk) return status;
  const PdfValue type = LookupKey(object.text, "Type");
  const auto count = NonNegativeInteger(LookupKey(object.text, "N"));
  const auto first = NonNegativeInteger(LookupKey(object.text, "First"));
  if (!object.has_stream || type.text != "/ObjStm" || !count || !first) {
    return PdfStatus::kMalformed;
  }
  std::vector<std::uint8_t> data;
  status = DecodeStream(object, data);
  if (status != PdfStatus::kOk) return status;
  // Each pair takes at least four bytes ("1 0 "), which bounds the count by the data.
  if (*first > data.size() || *count > *first / 4 + 1) return PdfStatus::kMalformed;
  auto decoded = std::make_unique<ObjectStream>();
  decoded->number = number;
  decoded->data = std::move(data);
  decoded->first = static_cast<std::size_t>(*first);
  ParseText pairs(decoded->Text().substr(0, decoded->first));
  for (std::uint64_t i = 0; i < *count; ++i) {
    const auto object_number = pairs.ReadInteger();
    const auto offset = pairs.ReadInteger();
    if (!object_number || !offset || *object_number < 0 || *object_number > UINT32_MAX ||
        *offset < 0 ||
        static_cast<std::uint64_t>(*offset) > decoded->data.size() - decoded->first) {
      return PdfStatus::kMalformed;
    }
    decoded->objects.emplace_back(static_cast<std::uint32_t>(*object_number),
                                  static_cast<std::size_t>(*offset));
  }
  while (!object_streams_.empty() &&
         cached_bytes_ + decoded->data.size() > limits_.object_stream_cache_bytes) {
    cached_bytes_ -= object_streams_.back()->data.size();
    object_streams_.pop_back();
  }
  cached_bytes_ += decoded->data.size();
  object_streams_.insert(object_streams_.begin(), std::move(decoded));
  stream = object_streams_.front().get();
  return PdfStatus::kOk;
}

PdfStatus PdfFile::ResolveText(const PdfValue& value, std::string& text) {
  if (value.kind != ValueKind::kReference) {
    text = value.raw;
    return PdfStatus::kOk;
  }
  return ReadObjectText(value.ref.number, text);
}

PdfStatus PdfFile::LookupResolved(std::string_view dictionary, std::string_view key,
                                  std::string& text) {
  text.clear();
  const PdfValue value = LookupKey(dictionary, key);
  if (value.kind == ValueKind::kNone) return PdfStatus::kOk;
  return ResolveText(value, text);
}

PdfStatus PdfFile::DecodeStream(const PdfObject& object, std::vector<std::uint8_t>& data) {
  std::string filter, parms;
  PdfStatus status = LookupResolved(object.text, "Filter", filter);
  if (status == PdfStatus::kOk) status = LookupResolved(object.text, "DecodeParms", parms);
  if (status != PdfStatus::kOk) return status;
  std::vector<FilterStep> steps;
  status = ParseFilterChain(filter, parms, steps);
  if (status != PdfStatus::kOk) return status;
  return ApplyFilterChain(object.stream, steps, limits_.max_stream_bytes, data);
}

}  // namespace pagora

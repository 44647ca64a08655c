// Document lifecycle: reset, begin, end, and the error state.
#include <cstdio>
#include <random>
#include <string>

#include "pdf/core/desktop_launcher.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/core/text_encoding.h"

namespace pagora {
namespace {

std::string CreationDate(const LocalTime& t) {
  char text[40];
  std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02dZ+01'00'", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return text;
}

}  // namespace

Pagora::Pagora() : Pagora(CurrentLocalTime) {}

Pagora::Pagora(Clock clock) : clock_(std::move(clock)) { Abort(); }

Pagora::~Pagora() = default;

void Pagora::Abort() {
  writer_.Reset();
  content_ = ContentStreams{};
  info_ = DocumentInfo{};
  info_.creation_date = CreationDate(clock_());
  page_ = PageState{};
  graphics_ = GraphicsState{};
  graphics_.fill_color = "#FFFFFF";
  graphics_.line_color = "#000000";
  graphics_.text_color = "#000000";
  resources_ = ResourceLists{};
  fonts_ = FontState{};
  streams_ = StreamSettings{};
  security_.Reset();
  images_ = ImageState{};
  page_labels_.clear();
  viewer_flags_ = 0;
  memory_factor_ = 1;
  writer_.set_memory_factor(memory_factor_);
  file_name_.clear();
  file_size_ = 0;
  SetScale(0);
  SetPaperSize(0);
  error_.number = 0;
}

std::string Pagora::BeginDoc(const std::string& file_name) {
  writer_.CloseUnfinished();
  // Pictures belong to the file they were written into.
  images_ = ImageState{};
  resources_.images.clear();
  file_name_ = file_name.empty() ? TemporaryFileName() : file_name;
  bool opened = false;
  try {
    writer_.Open(file_name_);
    opened = true;
  } catch (const RuntimeError& e) {
    RecordError("BeginDoc", file_name_, e);
  }
  // After a failed open the header cannot be written either; keeping the open's error
  // tells the caller why (a missing folder, a locked file) instead of "no file".
  if (opened) {
    try {
      WriteLine(std::string("%PDF-1.3\n% ") + kLibraryBanner + " rel. " + kLibraryVersion);
    } catch (const RuntimeError& e) {
      RecordError("BeginDoc", file_name_, e);
    }
  }
  writer_.ReserveSharedObjects();
  return file_name_;
}

void Pagora::EndDoc() {
  if (page_.count == 0) BeginPage();
  EndPage();

  std::optional<TrailerEncryption> encryption;
  if (security_.on()) {
    const int dictionary = StartObject();
    WriteLine(security_.DictionaryText());
    FinishObject();
    encryption = security_.Trailer(dictionary);
  }

  const int metadata = StartObject();
  WriteLine("<< /Type /Metadata /Subtype /XML");
  WriteStream(BuildXmpPacket(info_), 0, "", 0);
  FinishObject();

  StartObject(PdfObjectWriter::kPatternResourcesObject);
  WriteLine(BuildResourceDictionary(resources_, /*with_patterns=*/false));
  FinishObject();
  StartObject(PdfObjectWriter::kPageResourcesObject);
  WriteLine(BuildResourceDictionary(resources_, /*with_patterns=*/true));
  FinishObject();
  StartObject(PdfObjectWriter::kPageTreeObject);
  WriteLine("<<\r/Type /Pages /Count " + std::to_string(page_.count) + "\r/Kids [" + page_.kids +
            "] \r>>");
  FinishObject();

  const int catalog = StartObject();
  CatalogParts parts;
  parts.page_labels = FormatPageLabels();
  parts.metadata = metadata;
  parts.viewer_flags = viewer_flags_;
  int catalog_version = 0;
  WriteLine(BuildCatalog(parts, &catalog_version));
  RequireVersion(catalog_version);
  FinishObject();

  const int info = StartObject();
  WriteLine(BuildInfoDictionary({EncodeTextString(info_.title), EncodeTextString(info_.author),
                                 EncodeTextString(info_.creator), EncodeTextString(info_.producer),
                                 EncodeTextString(info_.creation_date),
                                 EncodeTextString(info_.subject), EncodeTextString(info_.keywords)}));
  FinishObject();

  writer_.WriteXrefAndTrailer(info, catalog, encryption);
  const std::uint64_t size = writer_.FinishFile();
  file_size_ = size > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(size);
}

std::int32_t Pagora::FileSize() const {
  if (!writer_.IsOpen()) return file_size_;
  const std::uint64_t position = writer_.Position();
  return position > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(position);
}

void Pagora::OpenDoc() const { OpenWithDefaultApplication(file_name_); }

void Pagora::SetMemoryUsage(int factor) {
  if (factor < 0 || factor > 255) throw RuntimeError(kOverflow);
  if (factor > 10) return;
  memory_factor_ = static_cast<std::uint8_t>(factor);
  writer_.set_memory_factor(memory_factor_);
}

void Pagora::RecordError(std::string_view operation, std::string_view detail,
                         const RuntimeError& error) {
  error_.number = error.number();
  error_.source = "Pagora." + std::string(operation);
  const std::string_view standard = DescribeError(error.number());
  error_.description = standard.empty() ? error.description() : std::string(standard);
  if (!detail.empty()) error_.description += " - " + std::string(detail);
}

std::string Pagora::TemporaryFileName() const {
  // Day, hour, minute and second run together with one random digit, read as a number and
  // written in hexadecimal: unique enough for a file made by hand and opened at once.
  const LocalTime t = clock_();
  std::random_device seed;
  const unsigned digit = std::uniform_int_distribution<unsigned>(0, 9)(seed);
  char decimal[24];
  std::snprintf(decimal, sizeof decimal, "%d%02d%02d%02d%u", t.day, t.hour, t.minute, t.second,
                digit);
  char name[24];
  std::snprintf(name, sizeof name, "~%llX.pdf", std::stoull(decimal));
  return name;
}

std::string Pagora::EncodeTextString(std::string_view text) const {
  // Encrypted first, then escaped: the escapes apply to the encrypted bytes.
  return "(" + EscapeString(security_.Encrypt(writer_.current_object(), text)) + ")";
}

}  // namespace pagora

// Document lifecycle: reset, begin, end, and the error state.
#include <cstdio>
#include <random>
#include <string>

#include "pdf/core/desktop_launcher.h"
#include "pdf/core/document.h"
#include "pdf/core/document_closing.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/layer_closing.h"
#include "pdf/import/source_pdf_table.h"
#include "pdf/interactive/outline_writer.h"

namespace pagora {
namespace {

// "~" and a hexadecimal number made of the day, hour, minute and second run together with
// one random digit: unique enough for a file made by hand and opened at once.
std::string TemporaryFileName(const LocalTime& t) {
  std::random_device seed;
  const unsigned digit = std::uniform_int_distribution<unsigned>(0, 9)(seed);
  char decimal[24];
  std::snprintf(decimal, sizeof decimal, "%d%02d%02d%02d%u", t.day, t.hour, t.minute, t.second,
                digit);
  char name[24];
  std::snprintf(name, sizeof name, "~%llX.pdf", std::stoull(decimal));
  return name;
}

}  // namespace

Pagora::Pagora() : Pagora(CurrentLocalTime) {}

Pagora::Pagora(Clock clock) : clock_(std::move(clock)) {
  Abort();
}

Pagora::~Pagora() = default;

void Pagora::Abort() try {
  ErrorState kept = doc_ ? std::move(doc_->error) : ErrorState{};
  // The old document closes an open output file, unfinished, as it goes.
  doc_.reset();
  doc_ = std::make_unique<Document>(clock_());
  doc_->error.source = std::move(kept.source);
  doc_->error.description = std::move(kept.description);
} catch (...) {
  RethrowAsRuntimeError();
}

std::string Pagora::BeginDoc(const std::string& file_name) try {
  doc_->writer.CloseUnfinished();
  // Pictures and imported pages belong to the file they were written into.
  doc_->images = ImageState{};
  doc_->resources.images.clear();
  doc_->imports = SourcePdfTable{};
  doc_->file_name = file_name.empty() ? TemporaryFileName(clock_()) : file_name;
  bool opened = false;
  try {
    doc_->writer.Open(doc_->file_name);
    opened = true;
  } catch (const RuntimeError& e) {
    RecordError(*doc_, "BeginDoc", doc_->file_name, e);
  }
  // After a failed open the header cannot be written either; keeping the open's error
  // tells the caller why (a missing folder, a locked file) instead of "no file".
  if (opened) {
    try {
      WriteLine(*doc_, std::string("%PDF-1.3\n% ") + kLibraryBanner + " rel. " + kLibraryVersion);
    } catch (const RuntimeError& e) {
      RecordError(*doc_, "BeginDoc", doc_->file_name, e);
    }
  }
  doc_->writer.ReserveSharedObjects();
  return doc_->file_name;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndDoc() try {
  Document& doc = *doc_;
  if (doc.page.count == 0) BeginPage();
  EndPage();

  // Each subsystem's closing step writes its objects and fills its part of the catalog, in
  // this fixed order: outline, encryption, document scripts, layers, metadata, named
  // destinations, then the shared objects, the catalog and the information dictionary.
  DocumentClosing closing;
  WriteOutlines(doc, closing);
  WriteEncryptionDictionary(doc, closing);
  WriteLayers(doc, closing);
  WriteMetadata(doc, closing);
  WriteNamedDestinations(doc, closing);
  WriteSharedObjects(doc);
  const int catalog = WriteCatalog(doc, closing.catalog);
  const int info = WriteInfoDictionary(doc);

  doc.writer.WriteXrefAndTrailer(info, catalog, closing.encryption);
  const std::uint64_t size = doc.writer.FinishFile();
  doc.file_size = size > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(size);
} catch (...) {
  RethrowAsRuntimeError();
}

std::int32_t Pagora::FileSize() const try {
  if (!doc_->writer.IsOpen()) return doc_->file_size;
  const std::uint64_t position = doc_->writer.Position();
  return position > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(position);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::OpenDoc() const try { OpenWithDefaultApplication(doc_->file_name); } catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetMemoryUsage(int factor) try {
  if (factor < 0 || factor > 255) throw RuntimeError(kOverflow);
  if (factor > 10) return;
  doc_->memory_factor = static_cast<std::uint8_t>(factor);
  doc_->writer.set_memory_factor(doc_->memory_factor);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

namespace pagora {

int Pagora::ErrNumber() const {
  return doc_->error.number;
}
const std::string& Pagora::ErrSource() const {
  return doc_->error.source;
}
const std::string& Pagora::ErrDescription() const {
  return doc_->error.description;
}
std::string Pagora::Version() {
  return kLibraryVersion;
}

}  // namespace pagora

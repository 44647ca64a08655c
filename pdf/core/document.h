#pragma once

// The private document behind the Pagora facade: every subsystem's state, composed, and the
// helpers over it that the facade's operations of every folder share. Only facade files
// include it; the public header sees just a forward declaration.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/content_streams.h"
#include "pdf/core/document_catalog.h"
#include "pdf/core/document_info.h"
#include "pdf/core/document_security.h"
#include "pdf/core/error_state.h"
#include "pdf/core/local_time.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/page_state.h"
#include "pdf/core/runtime_error.h"
#include "pdf/core/stream_settings.h"
#include "pdf/graphics/graphics_state.h"
#include "pdf/image/image_state.h"
#include "pdf/import/source_pdf_table.h"
#include "pdf/interactive/outline_state.h"
#include "pdf/text/font_state.h"

namespace pagora {

struct PageLabel {
  int page_index;
  int style;
  std::string prefix;
  int first;
};

// One document: made whole at construction and by Abort, with every field at its default.
struct Document {
  explicit Document(const LocalTime& now);

  PdfObjectWriter writer;
  ContentStreams content;
  StreamSettings streams;
  DocumentSecurity security;
  ErrorState error;
  DocumentInfo info;
  PageState page;
  GraphicsState graphics;
  ImageState images;
  ResourceLists resources;
  FontState fonts;
  SourcePdfTable imports;
  OutlineState outline;
  std::vector<PageLabel> page_labels;
  std::int32_t viewer_flags = 0;
  std::uint8_t memory_factor = 1;
  std::string file_name;  // of the output file
  std::int32_t file_size = 0;
};

// Object writer glue shared by every subsystem.
inline void WriteLine(Document& doc, std::string_view text) {
  doc.writer.WriteLine(text);
}
inline int StartObject(Document& doc, int number = 0) {
  return doc.writer.StartObject(number);
}
inline void FinishObject(Document& doc) {
  doc.writer.FinishObject();
}
inline void RequireVersion(Document& doc, int bump) {
  doc.writer.RequireVersion(bump);
}

// Appends CR and the line to the open form object, tiling pattern or page, in that order of
// precedence; dropped when none is open.
inline void AppendContent(Document& doc, std::string_view line) {
  doc.content.Append(line);
}

// A PDF literal string "(...)" of the text, encrypted for the object being written.
std::string EncodeTextString(const Document& doc, std::string_view text);

// Stores a trapped failure as the error state: source "Pagora." and the operation,
// description the error's, then " - " and `detail` when it is not empty.
void RecordError(Document& doc, std::string_view operation, std::string_view detail,
                 const RuntimeError& error);

// Ends a stream object whose dictionary the caller opened ("<<" and any entries): encodes
// `data` as SetCompression chose (`preset_filters` names filters the data already went
// through, each followed by a blank), encrypts it for `object` (0 = the object being
// written), and writes /Filter, /Length1 when `length1` > 0, /Length, ">>", and the data
// between "stream" and "endstream". The caller then calls FinishObject. RuntimeError on a
// write failure, or 6 when the data exceeds 2^31 - 1 bytes.
void WriteStream(Document& doc, std::span<const std::uint8_t> data, int object,
                 std::string_view preset_filters, int length1);
inline void WriteStream(Document& doc, std::string_view data, int object,
                        std::string_view preset_filters, int length1) {
  WriteStream(doc, std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()),
              object, preset_filters, length1);
}

// User lengths to points and back; RuntimeError 6 on overflow, 11 for a unit factor of 0.
float ToPoints(const Document& doc, float user_length);
float ToUserUnits(const Document& doc, float points);

// The /Nums entries of the page labels set so far.
std::string FormatPageLabels(const Document& doc);

}  // namespace pagora

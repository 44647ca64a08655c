#include "pdf/core/document.h"

#include <cstdio>

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

Document::Document(const LocalTime& now) {
  info.creation_date = CreationDate(now);
  graphics.fill_color = "#FFFFFF";
  graphics.line_color = "#000000";
  graphics.text_color = "#000000";
  writer.set_memory_factor(memory_factor);
}

void RecordError(Document& doc, std::string_view operation, std::string_view detail,
                 const RuntimeError& error) {
  doc.error.number = error.number();
  doc.error.source = "Pagora." + std::string(operation);
  const std::string_view standard = DescribeError(error.number());
  // An error that already names its file and cause keeps its own description.
  if (!standard.empty() && error.description() != standard) {
    doc.error.description = error.description();
    return;
  }
  doc.error.description = standard.empty() ? error.description() : std::string(standard);
  if (!detail.empty()) doc.error.description += " - " + std::string(detail);
}

std::string EncodeTextString(const Document& doc, std::string_view text) {
  // Encrypted first, then escaped: the escapes apply to the encrypted bytes. Unprotected
  // text is escaped straight from the caller's bytes, with no copy.
  const std::span<const std::uint8_t> bytes =
      doc.security.EncryptedView(doc.writer.current_object(),
                                 {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  std::string encoded = "(";
  encoded += EscapeString({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  encoded += ')';
  return encoded;
}

}  // namespace pagora

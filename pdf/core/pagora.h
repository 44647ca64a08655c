#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/core/content_streams.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/runtime_error.h"

namespace pagora {

// A PDF writer: one instance produces one PDF file at a time. The caller begins a document
// on a file, adds pages and draws on them, and ends the document, which writes every
// shared object, the cross-reference table and the trailer.
//
// Texts are byte strings of the Windows-1252 code page; lengths are in user units unless
// stated otherwise. Failures reach the caller as RuntimeError, except in the operations
// documented to record them in the error state instead.
class Pagora {
 public:
  Pagora() = default;
  Pagora(const Pagora&) = delete;
  Pagora& operator=(const Pagora&) = delete;

  // The engine's version, "2.4.4".
  static std::string Version() { return "2.4.4"; }

 private:
  // Object writer glue shared by every subsystem.
  void WriteLine(std::string_view text) { writer_.WriteLine(text); }
  int StartObject(int number = 0) { return writer_.StartObject(number); }
  void FinishObject() { writer_.FinishObject(); }
  void RequireVersion(int bump) { writer_.RequireVersion(bump); }
  // Appends CR and the line to the open form object, tiling pattern or page, in that order
  // of precedence; dropped when none is open.
  void AppendContent(std::string_view line) { content_.Append(line); }
  // A PDF literal string "(...)" with the text escaped.
  std::string EncodeTextString(std::string_view text) const;

  PdfObjectWriter writer_;
  ContentStreams content_;
};

}  // namespace pagora

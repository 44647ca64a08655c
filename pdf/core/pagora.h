#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/content_streams.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/runtime_error.h"
#include "pdf/core/stream_settings.h"

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

  // Chooses the encoders of every stream written from now on, in this and later documents:
  // `flags` ORs 0x01 RunLength (/RunLengthDecode), 0x02 Deflate (/FlateDecode), 0x04 LZW
  // (/LZWDecode), 0x08 ASCII base-85 (/ASCII85Decode) and 0x10 hexadecimal
  // (/ASCIIHexDecode); other bits are ignored. `level` 0 to 3 (larger counts as 3) is the
  // Deflate effort and sets the LZW table size. Never fails.
  void SetCompression(int flags, std::uint8_t level);

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

  // Ends a stream object whose dictionary the caller opened ("<<" and any entries): encodes
  // `data` as SetCompression chose (see EncodeStream; `preset_filters` names filters the data
  // already went through, each followed by a blank), encrypts it for `object` (0 = the object
  // being written), and writes /Filter, /Length1 when `length1` > 0, /Length, ">>", and the
  // data between "stream" and "endstream". The caller then calls FinishObject. Throws
  // RuntimeError on a write failure, or 6 when the data exceeds 2^31 - 1 bytes.
  void WriteStream(std::span<const std::uint8_t> data, int object, std::string_view preset_filters,
                   int length1);
  void WriteStream(std::string_view data, int object, std::string_view preset_filters,
                   int length1) {
    WriteStream(std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()), object,
                preset_filters, length1);
  }
  // The encryption step of WriteStream: a protected document's stream data is replaced by its
  // RC4 encryption under `object`'s key (same length). Documents cannot be protected yet, so
  // the data comes back unchanged.
  std::vector<std::uint8_t> EncryptStream(std::vector<std::uint8_t> data, int object) const;

  PdfObjectWriter writer_;
  ContentStreams content_;
  StreamSettings streams_;
};

}  // namespace pagora

#include "pdf/import/object_parser.h"

#include <algorithm>

#include "pdf/import/pdf_lexer.h"

namespace pagora {
namespace {

constexpr std::size_t kFirstPiece = 4096;
constexpr std::size_t kSearchPiece = 64 * 1024;
constexpr std::string_view kEndstream = "endstream";

enum class ScanResult { kDone, kNeedMore, kMalformed };

// Scans one piece of text that starts at an object's header.
ScanResult ScanObject(std::string_view text, bool at_end_of_file, IndirectObject& object) {
  std::size_t pos = 0;
  const auto number = UnsignedValue(NextPdfToken(text, pos));
  const auto generation = UnsignedValue(NextPdfToken(text, pos));
  const Token keyword = NextPdfToken(text, pos);
  if (!number || !generation || !IsKeyword(keyword, "obj")) {
    return at_end_of_file || pos < text.size() ? ScanResult::kMalformed : ScanResult::kNeedMore;
  }
  if (*number > UINT32_MAX || *generation > UINT16_MAX) return ScanResult::kMalformed;
  object.ref = {static_cast<std::uint32_t>(*number), static_cast<std::uint16_t>(*generation)};
  const std::size_t value_start = pos;
  // The two tokens before the current one, in case they turn out to be "n g" of the next
  // object's header.
  Token before_previous, previous;
  for (;;) {
    const Token token = NextPdfToken(text, pos);
    std::size_t value_end = token.begin;
    switch (token.kind) {
      case TokenKind::kEnd:
        if (!at_end_of_file) return ScanResult::kNeedMore;
        break;
      case TokenKind::kUnterminated:
        return at_end_of_file ? ScanResult::kMalformed : ScanResult::kNeedMore;
      case TokenKind::kKeyword:
        if (token.end == text.size() && !at_end_of_file) return ScanResult::kNeedMore;
        if (token.text == "obj") {
          if (!IsUnsignedInteger(previous) || !IsUnsignedInteger(before_previous)) {
            return ScanResult::kMalformed;
          }
          value_end = before_previous.begin;
          break;
        }
        if (token.text == "stream") {
          std::size_t data = token.end;
          while (data < text.size() && text[data] == ' ') ++data;  // blanks some writers leave
          if (data + 2 > text.size() && !at_end_of_file) return ScanResult::kNeedMore;
          if (data < text.size() && text[data] == '\r') ++data;
          if (data < text.size() && text[data] == '\n') ++data;
          object.has_stream = true;
          object.stream_offset = data;  // relative for now
          break;
        }
        if (token.text == "endobj") break;
        before_previous = previous;
        previous = token;
        continue;
      default:
        before_previous = previous;
        previous = token;
        continue;
    }
    object.text = TrimPdfWhitespace(text.substr(value_start, value_end - value_start));
    return ScanResult::kDone;
  }
}

}  // namespace

PdfStatus ReadText(const ByteSource& source, std::uint64_t offset, std::size_t count,
                   std::string& text) {
  if (offset >= source.Size()) {
    text.clear();
    return PdfStatus::kOk;
  }
  text.resize(static_cast<std::size_t>(std::min<std::uint64_t>(count, source.Size() - offset)));
  const std::int64_t got =
      source.Read(offset, std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
  if (got < 0) return PdfStatus::kReadError;
  text.resize(static_cast<std::size_t>(got));
  return PdfStatus::kOk;
}

PdfStatus ParseIndirectObject(const ByteSource& source, std::uint64_t offset,
                              std::size_t max_text_bytes, IndirectObject& object) {
  if (offset >= source.Size()) return PdfStatus::kOutOfRange;
  std::string text;
  for (std::size_t piece = kFirstPiece;; piece *= 2) {
    const PdfStatus status = ReadText(source, offset, piece, text);
    if (status != PdfStatus::kOk) return status;
    const bool at_end_of_file = offset + text.size() >= source.Size();
    object = IndirectObject{};
    switch (ScanObject(text, at_end_of_file, object)) {
      case ScanResult::kDone:
        object.stream_offset += offset;
        return PdfStatus::kOk;
      case ScanResult::kMalformed:
        return PdfStatus::kMalformed;
      case ScanResult::kNeedMore:
        if (piece >= max_text_bytes) return PdfStatus::kTooLarge;
        break;
    }
  }
}

PdfStatus ReadStreamData(const ByteSource& source, std::uint64_t offset,
                         std::optional<std::uint64_t> declared_length, std::size_t max_bytes,
                         std::vector<std::uint8_t>& data) {
  const std::uint64_t size = source.Size();
  std::optional<std::uint64_t> length;
  if (declared_length && offset <= size && *declared_length <= size - offset) {
    std::string after;
    const PdfStatus status = ReadText(source, offset + *declared_length, 64, after);
    if (status != PdfStatus::kOk) return status;
    const std::size_t pos = SkipPdfWhitespace(after, 0);
    if (after.compare(pos, kEndstream.size(), kEndstream) == 0) length = declared_length;
  }
  if (!length) {
    // Search for "endstream", in pieces that overlap by the keyword's length.
    std::string piece;
    const std::uint64_t limit =
        std::min<std::uint64_t>(size, offset + max_bytes + 2 + kEndstream.size());
    for (std::uint64_t at = offset; at < limit && !length; at += kSearchPiece) {
      const PdfStatus status = ReadText(source, at,
                                        static_cast<std::size_t>(std::min<std::uint64_t>(
                                            kSearchPiece + kEndstream.size(), limit - at)),
                                        piece);
      if (status != PdfStatus::kOk) return status;
      const std::size_t found = piece.find(kEndstream);
      if (found == std::string::npos) continue;
      std::uint64_t end = at + found;
      std::string eol;
      if (end > offset &&
          ReadText(source, std::max(offset, end - 2),
                   static_cast<std::size_t>(std::min<std::uint64_t>(2, end - offset)),
                   eol) == PdfStatus::kOk) {
        if (!eol.empty() && eol.back() == '\n') {
          --end;
          eol.pop_back();
        }
        if (!eol.empty() && eol.back() == '\r' && end > offset) --end;
      }
      length = end - offset;
    }
    if (!length && declared_length && offset <= size && *declared_length <= size - offset) {
      length = declared_length;  // no "endstream" at all: the declared length is all we have
    }
  }
  if (!length) return PdfStatus::kOutOfRange;
  if (*length > max_bytes) return PdfStatus::kTooLarge;
  data.resize(static_cast<std::size_t>(*length));
  const std::int64_t got = source.Read(offset, data);
  if (got < 0) return PdfStatus::kReadError;
  if (static_cast<std::uint64_t>(got) != *length) return PdfStatus::kOutOfRange;
  return PdfStatus::kOk;
}

}  // namespace pagora

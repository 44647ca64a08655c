#include "pdf/import/copied_object.h"

#include <utility>
#include <vector>

#include "pdf/import/pdf_lexer.h"
#include "pdf/import/pdf_strings.h"

namespace pagora {
namespace {

// Where the dictionary's "<<" stands, or nothing when the text holds something else.
std::optional<std::size_t> DictionaryStart(std::string_view text) {
  const std::size_t start = SkipPdfWhitespace(text, 0);
  if (text.substr(start, 2) != "<<") return std::nullopt;
  return start;
}

}  // namespace

std::string RemoveEntries(std::string_view dictionary,
                          const std::function<bool(std::string_view key, const PdfValue&)>& drop) {
  const auto start = DictionaryStart(dictionary);
  if (!start) return std::string(dictionary);
  std::vector<std::pair<std::size_t, std::size_t>> removed;
  ParseText parse(dictionary);
  parse.set_position(*start + 2);
  for (;;) {
    parse.SkipWhitespace();
    if (dictionary.substr(parse.position(), 2) == ">>") break;
    const PdfValue key = parse.ReadValue();
    if (key.kind != ValueKind::kName) return std::string(dictionary);
    const PdfValue value = parse.ReadValue();
    if (value.kind == ValueKind::kNone) return std::string(dictionary);
    if (drop(DecodeName(key.raw), value)) {
      removed.emplace_back(key.raw.data() - dictionary.data(), parse.position());
    }
  }
  std::string out;
  out.reserve(dictionary.size());
  std::size_t copied = 0;
  for (const auto& [begin, end] : removed) {
    out.append(dictionary.substr(copied, begin - copied));
    copied = end;
  }
  out.append(dictionary.substr(copied));
  return out;
}

std::string WithoutPageLinks(std::string_view dictionary) {
  return RemoveEntries(dictionary, [](std::string_view key, const PdfValue& value) {
    return (key == "Parent" || key == "P") && value.kind == ValueKind::kReference;
  });
}

std::optional<std::string> StreamDictionaryHead(std::string_view dictionary) {
  if (!DictionaryStart(dictionary)) return std::nullopt;
  std::string head = RemoveEntries(
      dictionary, [](std::string_view key, const PdfValue&) { return key == "Length"; });
  const std::size_t close = head.rfind(">>");
  if (close == std::string::npos) return std::nullopt;
  head.erase(close);
  return head;
}

std::string EncryptStrings(std::string_view text,
                           const std::function<std::string(std::string_view)>& encrypt) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  std::size_t copied = 0;
  for (;;) {
    const Token token = NextPdfToken(text, pos);
    if (token.kind == TokenKind::kEnd || token.kind == TokenKind::kUnterminated) break;
    if (token.kind != TokenKind::kLiteralString && token.kind != TokenKind::kHexString) continue;
    const std::string bytes = token.kind == TokenKind::kLiteralString
                                  ? DecodeLiteralString(token.text)
                                  : DecodeHexString(token.text);
    out.append(text.substr(copied, token.begin - copied));
    out += '<';
    for (const char c : encrypt(bytes)) {
      const auto byte = static_cast<unsigned char>(c);
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 15];
    }
    out += '>';
    copied = token.end;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace pagora

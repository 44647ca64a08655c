#include "pdf/import/parse_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "pdf/import/pdf_lexer.h"
#include "pdf/import/pdf_strings.h"

namespace pagora {
namespace {

// Beyond 2^53 a double no longer holds every integer; no count or offset gets there.
constexpr double kLargestExact = 9007199254740992.0;

double NumberValue(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return 0;  // "--5" and such: readers take them as 0
  return std::isfinite(value) ? value : 0;
}

// The reference "n g R" starting at `pos`, moving `pos` past it.
std::optional<ObjectRef> ReferenceAt(std::string_view text, std::size_t& pos) {
  std::size_t p = pos;
  const auto number = UnsignedValue(NextPdfToken(text, p));
  const auto generation = UnsignedValue(NextPdfToken(text, p));
  if (!number || !generation || !IsKeyword(NextPdfToken(text, p), "R") ||
      *number > std::numeric_limits<std::uint32_t>::max() ||
      *generation > std::numeric_limits<std::uint16_t>::max()) {
    return std::nullopt;
  }
  pos = p;
  return ObjectRef{static_cast<std::uint32_t>(*number), static_cast<std::uint16_t>(*generation)};
}

bool NameEquals(std::string_view token, std::string_view key) {
  const std::string_view name = token.substr(1);
  if (name.find('#') == std::string_view::npos) return name == key;
  return DecodeName(token) == key;
}

}  // namespace

void ParseText::SetParseText(std::string_view text) {
  text_ = text;
  pos_ = 0;
  error_ = PdfStatus::kOk;
}

bool ParseText::Fail(PdfStatus status) {
  error_ = status;
  return false;
}

void ParseText::SkipWhitespace() {
  pos_ = SkipPdfWhitespace(text_, pos_);
}

bool ParseText::AtEnd() {
  SkipWhitespace();
  return pos_ == text_.size();
}

bool ParseText::SkipFrom(std::size_t& pos) {
  std::size_t p = pos;
  Token token = NextPdfToken(text_, p);
  switch (token.kind) {
    case TokenKind::kNumber:
      if (!ReferenceAt(text_, pos)) pos = p;  // a number, or the first of "n g R"
      return true;
    case TokenKind::kName:
    case TokenKind::kLiteralString:
    case TokenKind::kHexString:
      pos = p;
      return true;
    case TokenKind::kKeyword:
      if (!IsKeyword(token, "true") && !IsKeyword(token, "false") && !IsKeyword(token, "null")) {
        return Fail(PdfStatus::kMalformed);
      }
      pos = p;
      return true;
    case TokenKind::kDictOpen:
    case TokenKind::kArrayOpen:
      break;
    default:
      return Fail(PdfStatus::kMalformed);
  }
  // One bit per open bracket, set for a dictionary, so that each close must match.
  std::uint64_t dictionaries = 0;
  int depth = 0;
  for (;; token = NextPdfToken(text_, p)) {
    switch (token.kind) {
      case TokenKind::kDictOpen:
      case TokenKind::kArrayOpen:
        if (depth == kMaxPdfNesting) return Fail(PdfStatus::kTooDeep);
        dictionaries = dictionaries << 1 | (token.kind == TokenKind::kDictOpen ? 1 : 0);
        ++depth;
        break;
      case TokenKind::kDictClose:
      case TokenKind::kArrayClose:
        if (depth == 0 || (dictionaries & 1) != (token.kind == TokenKind::kDictClose ? 1u : 0u)) {
          return Fail(PdfStatus::kMalformed);
        }
        dictionaries >>= 1;
        if (--depth == 0) {
          pos = p;
          return true;
        }
        break;
      case TokenKind::kEnd:
      case TokenKind::kBad:
      case TokenKind::kUnterminated:
        return Fail(PdfStatus::kMalformed);
      default:
        break;
    }
  }
}

bool ParseText::FindKey(std::string_view key) {
  if (!key.empty() && key.front() == '/') key.remove_prefix(1);
  std::size_t p = pos_;
  if (NextPdfToken(text_, p).kind != TokenKind::kDictOpen) return Fail(PdfStatus::kMalformed);
  std::size_t found = std::string_view::npos;
  for (;;) {
    const Token token = NextPdfToken(text_, p);
    if (token.kind == TokenKind::kDictClose) break;
    if (token.kind != TokenKind::kName) return Fail(PdfStatus::kMalformed);
    if (NameEquals(token.text, key)) found = p;
    if (!SkipFrom(p)) return false;
  }
  if (found == std::string_view::npos) return false;
  pos_ = found;
  return true;
}

std::optional<double> ParseText::ReadNumber() {
  std::size_t p = pos_;
  const Token token = NextPdfToken(text_, p);
  if (token.kind != TokenKind::kNumber) {
    Fail(PdfStatus::kMalformed);
    return std::nullopt;
  }
  pos_ = p;
  return NumberValue(token.text);
}

std::optional<std::int64_t> ParseText::ReadInteger() {
  const std::size_t start = pos_;
  const auto number = ReadNumber();
  if (!number || *number != std::floor(*number) || std::fabs(*number) > kLargestExact) {
    pos_ = start;
    Fail(PdfStatus::kMalformed);
    return std::nullopt;
  }
  return static_cast<std::int64_t>(*number);
}

std::optional<ObjectRef> ParseText::ReadReference() {
  auto ref = ReferenceAt(text_, pos_);
  if (!ref) Fail(PdfStatus::kMalformed);
  return ref;
}

bool ParseText::ReadReferenceArray(std::vector<ObjectRef>& refs) {
  std::size_t p = pos_;
  if (NextPdfToken(text_, p).kind != TokenKind::kArrayOpen) {
    const auto ref = ReadReference();
    if (ref) refs.push_back(*ref);
    return ref.has_value();
  }
  std::vector<ObjectRef> found;
  for (;;) {
    std::size_t after = p;
    if (NextPdfToken(text_, after).kind == TokenKind::kArrayClose) {
      p = after;
      break;
    }
    const auto ref = ReferenceAt(text_, p);
    if (!ref) return Fail(PdfStatus::kMalformed);
    found.push_back(*ref);
  }
  pos_ = p;
  refs.insert(refs.end(), found.begin(), found.end());
  return true;
}

PdfValue ParseText::ReadValue() {
  PdfValue value;
  SkipWhitespace();
  const std::size_t start = pos_;
  std::size_t p = pos_;
  const Token token = NextPdfToken(text_, p);
  if (token.kind == TokenKind::kNumber) {
    std::size_t q = pos_;
    if (const auto ref = ReferenceAt(text_, q)) {
      value.kind = ValueKind::kReference;
      value.ref = *ref;
      value.text = std::to_string(ref->number) + " " + std::to_string(ref->generation) + " R";
      p = q;
    } else {
      value.kind = ValueKind::kNumber;
      value.number = NumberValue(token.text);
      value.text = token.text;
    }
  } else if (token.kind == TokenKind::kName) {
    value.kind = ValueKind::kName;
    value.text = token.text;
  } else if (token.kind == TokenKind::kLiteralString) {
    value.kind = ValueKind::kString;
    value.text = TextStringToWindows1252(DecodeLiteralString(token.text));
  } else if (token.kind == TokenKind::kHexString) {
    value.kind = ValueKind::kString;
    value.text = TextStringToWindows1252(DecodeHexString(token.text));
  } else if (IsKeyword(token, "true") || IsKeyword(token, "false")) {
    value.kind = ValueKind::kBoolean;
    value.text = token.text;
  } else if (IsKeyword(token, "null")) {
    value.kind = ValueKind::kNull;
    value.text = token.text;
  } else if (token.kind == TokenKind::kDictOpen || token.kind == TokenKind::kArrayOpen) {
    p = start;
    if (!SkipFrom(p)) return value;
    value.kind = token.kind == TokenKind::kDictOpen ? ValueKind::kDictionary : ValueKind::kArray;
    value.text = text_.substr(start, p - start);
  } else {
    Fail(PdfStatus::kMalformed);
    return value;
  }
  pos_ = p;
  value.raw = text_.substr(start, p - start);
  return value;
}

std::optional<std::uint64_t> NonNegativeInteger(const PdfValue& value) {
  if (value.kind != ValueKind::kNumber || value.number < 0 || value.number > kLargestExact ||
      value.number != std::floor(value.number)) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(value.number);
}

PdfValue LookupKey(std::string_view dictionary, std::string_view key) {
  ParseText parse(dictionary);
  if (!parse.FindKey(key)) return PdfValue{};
  return parse.ReadValue();
}

}  // namespace pagora

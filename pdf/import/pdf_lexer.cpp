#include "pdf/import/pdf_lexer.h"

#include <charconv>

namespace pagora {
namespace {

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

// The end of a literal string whose "(" is at `pos`: parentheses nest, and a backslash
// takes the next byte with it.
std::size_t LiteralStringEnd(std::string_view text, std::size_t pos, bool& closed) {
  int depth = 0;
  for (std::size_t i = pos; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      ++i;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      closed = true;
      return i + 1;
    }
  }
  closed = false;
  return text.size();
}

}  // namespace

bool IsPdfWhitespace(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsPdfDelimiter(char c) {
  switch (c) {
    case '(':
    case ')':
    case '<':
    case '>':
    case '[':
    case ']':
    case '{':
    case '}':
    case '/':
    case '%':
      return true;
    default:
      return false;
  }
}

std::size_t SkipPdfWhitespace(std::string_view text, std::size_t pos) {
  while (pos < text.size()) {
    if (IsPdfWhitespace(text[pos])) {
      ++pos;
    } else if (text[pos] == '%') {
      while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
    } else {
      break;
    }
  }
  return pos;
}

Token NextPdfToken(std::string_view text, std::size_t& pos) {
  Token token;
  pos = SkipPdfWhitespace(text, pos);
  token.begin = pos;
  if (pos >= text.size()) {
    token.begin = token.end = pos = text.size();
    return token;
  }
  const char c = text[pos];
  std::size_t end = pos + 1;
  switch (c) {
    case '(': {
      bool closed = false;
      end = LiteralStringEnd(text, pos, closed);
      token.kind = closed ? TokenKind::kLiteralString : TokenKind::kUnterminated;
      break;
    }
    case '<':
      if (end < text.size() && text[end] == '<') {
        token.kind = TokenKind::kDictOpen;
        ++end;
      } else {
        while (end < text.size() && text[end] != '>') ++end;
        token.kind = end < text.size() ? TokenKind::kHexString : TokenKind::kUnterminated;
        if (end < text.size()) ++end;
      }
      break;
    case '>':
      if (end < text.size() && text[end] == '>') {
        token.kind = TokenKind::kDictClose;
        ++end;
      } else {
        token.kind = TokenKind::kBad;
      }
      break;
    case '[':
      token.kind = TokenKind::kArrayOpen;
      break;
    case ']':
      token.kind = TokenKind::kArrayClose;
      break;
    case ')':
      token.kind = TokenKind::kBad;
      break;
    case '{':
    case '}':
      token.kind = TokenKind::kKeyword;
      break;
    case '/':
      while (end < text.size() && !IsPdfWhitespace(text[end]) && !IsPdfDelimiter(text[end])) ++end;
      token.kind = TokenKind::kName;
      break;
    default: {
      bool numeric = IsNumberCharacter(c);
      bool digit = c >= '0' && c <= '9';
      while (end < text.size() && !IsPdfWhitespace(text[end]) && !IsPdfDelimiter(text[end])) {
        numeric = numeric && IsNumberCharacter(text[end]);
        digit = digit || (text[end] >= '0' && text[end] <= '9');
        ++end;
      }
      token.kind = numeric && digit ? TokenKind::kNumber : TokenKind::kKeyword;
      break;
    }
  }
  token.end = pos = end;
  token.text = text.substr(token.begin, token.end - token.begin);
  return token;
}

std::string_view TrimPdfWhitespace(std::string_view text) {
  while (!text.empty() && IsPdfWhitespace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsPdfWhitespace(text.back())) text.remove_suffix(1);
  return text;
}

bool IsKeyword(const Token& token, std::string_view word) {
  return token.kind == TokenKind::kKeyword && token.text == word;
}

bool IsUnsignedInteger(const Token& token) {
  if (token.kind != TokenKind::kNumber) return false;
  for (const char c : token.text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<std::uint64_t> UnsignedValue(const Token& token) {
  if (!IsUnsignedInteger(token)) return std::nullopt;
  std::uint64_t value = 0;
  const char* end = token.text.data() + token.text.size();
  if (std::from_chars(token.text.data(), end, value).ec != std::errc()) return std::nullopt;
  return value;
}

}  // namespace pagora

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pagora {

// White space of the PDF syntax: NUL, tab, LF, FF, CR and blank.
bool IsPdfWhitespace(char c);
// The characters that end a name, number or keyword: ( ) < > [ ] { } / %.
bool IsPdfDelimiter(char c);

enum class TokenKind {
  kEnd,            // nothing but white space and comments is left
  kNumber,         // 12, -3.5, .5, +7
  kName,           // /Type (with its "/")
  kLiteralString,  // (text) with its parentheses
  kHexString,      // <48656C6C6F> with its angle brackets
  kDictOpen,       // <<
  kDictClose,      // >>
  kArrayOpen,      // [
  kArrayClose,     // ]
  kKeyword,        // R, obj, endobj, stream, true, null, { or }
  kUnterminated,   // a string that the text ends inside
  kBad,            // a ")" or a ">" standing alone
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::size_t begin = 0;  // offset of the first byte in the text
  std::size_t end = 0;    // offset just past the last byte
  std::string_view text;  // the token's bytes
};

// `text` without the white space at its ends.
std::string_view TrimPdfWhitespace(std::string_view text);

// The offset of the first byte at or after `pos` that is neither white space nor part of a
// comment (a "%" up to the end of its line).
std::size_t SkipPdfWhitespace(std::string_view text, std::size_t pos);

// Reads the token at or after `pos` and moves `pos` past it. Linear in the token's length.
Token NextPdfToken(std::string_view text, std::size_t& pos);

// True for the keyword token `word` ("obj", "R", "trailer", ...).
bool IsKeyword(const Token& token, std::string_view word);
// True for a number token without a fraction or sign, such as an object number.
bool IsUnsignedInteger(const Token& token);
// The value of such a token; nothing for other tokens or values beyond 64 bits.
std::optional<std::uint64_t> UnsignedValue(const Token& token);

}  // namespace pagora

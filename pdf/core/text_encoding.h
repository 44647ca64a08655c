#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// The body of a PDF literal string: "\" becomes "\\", "(" "\(", ")" "\)", CR "\r" and
// LF "\n". Every other byte, control bytes and bytes above 127 included, is kept.
std::string EscapeString(std::string_view text);

// A byte string as a PDF name token without its "/": regular characters are kept, and
// delimiters, white space, "#" and bytes outside "!".."~" become "#" and two hex digits.
std::string PdfNameToken(std::string_view name);

// Replaces up to `count` occurrences of `find` (compared byte for byte) found from the
// 1-based position `start` on; the text before `start` is kept. An empty `find`, or a
// start past the end, leaves the text unchanged.
std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        std::size_t start = 1, std::size_t count = SIZE_MAX);

// The pieces between occurrences of `delimiter`: n occurrences give n + 1 pieces, empty
// ones included. An empty text or delimiter gives the one piece `text`.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// The text without leading and trailing blanks, in upper case (ASCII letters only).
std::string TrimUpper(std::string_view text);

// The decimal number a text starts with, after blanks: an optional sign, digits and one
// decimal point, as in "12.5cm" → 12.5; 0 when it starts with none.
double LeadingNumber(std::string_view text);

}  // namespace pagora

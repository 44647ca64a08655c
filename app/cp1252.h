// The data file's character set: Windows-1252, one byte per character. The window converts
// between these bytes and Unicode with the two functions below and nowhere else.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pannellonistica {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so
// every byte round-trips.
char32_t Cp1252ToUnicode(uint8_t byte);

// The Windows-1252 byte of a code point, or nothing when the code page lacks it.
std::optional<uint8_t> UnicodeToCp1252(char32_t code_point);

// Upper-cases a Windows-1252 byte: ASCII letters, the accented Latin-1 letters and the
// four small letters of the 0x80 row and 0xFF (š œ ž ÿ).
char UpperCaseByte(char byte);

// UpperCaseByte over a text.
std::string UpperCase(std::string_view text);

// Removes leading and trailing spaces (only the space, as the data file pads with it).
std::string_view TrimSpaces(std::string_view text);

}  // namespace pannellonistica

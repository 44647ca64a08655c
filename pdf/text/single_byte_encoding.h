#pragma once

#include <cstdint>

namespace pagora {

// The Unicode character that single-byte `code` stands for in the encoding a font
// resource names: Mac Roman (/MacRomanEncoding) when `encoding` is 1, WinAnsi
// (/WinAnsiEncoding, Windows-1252) otherwise. Codes the encoding leaves undefined, and the
// control codes, give the character of the same number.
std::uint16_t UnicodeOfCode(std::uint8_t code, std::int32_t encoding);

}  // namespace pagora

#pragma once

#include <cstdint>
#include <string>

namespace pagora {

// The Unicode code point of a byte of the Windows-1252 code page. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as the usual converters do.
char32_t Windows1252ToUnicode(std::uint8_t byte);

// Appends the UTF-8 encoding of a code point below 0x110000.
void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace pagora

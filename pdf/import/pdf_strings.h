#pragma once

#include <string>
#include <string_view>

namespace pagora {

// The bytes of a literal string token "(...)": the escapes \n \r \t \b \f \( \) \\ and
// \ddd (octal) resolved, a backslash before an end of line dropped with it, and every
// end of line (CR, LF or CR LF) inside the string read as LF, as the format says.
std::string DecodeLiteralString(std::string_view token);

// The bytes of a hexadecimal string token "<...>": white space is skipped, an odd last
// digit counts as followed by 0, and any other character is ignored.
std::string DecodeHexString(std::string_view token);

// The characters of a name token without its "/", each #xx escape resolved.
std::string DecodeName(std::string_view token);

// Converts a text string (document information, outline titles) to Windows-1252 bytes:
// UTF-16BE when it starts with FE FF, UTF-8 when it starts with EF BB BF, otherwise the
// format's own single-byte encoding. Characters the code page lacks become "?".
std::string TextStringToWindows1252(std::string_view bytes);

}  // namespace pagora

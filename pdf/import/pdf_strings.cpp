#include "pdf/import/pdf_strings.h"

#include <array>
#include <cstdint>

#include "pdf/core/windows1252.h"

namespace pagora {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Unicode of the bytes where the format's own single-byte text encoding differs from
// Latin-1 (0x18-0x1F and 0x7F-0xA0); 0 where it defines no character.
char32_t PdfDocCharacter(std::uint8_t byte) {
  static constexpr std::array<char32_t, 8> kAccents = {0x02D8, 0x02C7, 0x02C6, 0x02D9,
                                                       0x02DD, 0x02DB, 0x02DA, 0x02DC};
  static constexpr std::array<char32_t, 34> kHigh = {
      0,      0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044,
      0x2039, 0x203A, 0x2212, 0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019,
      0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141, 0x0152, 0x0160, 0x0178, 0x017D,
      0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0,      0x20AC};
  if (byte >= 0x18 && byte <= 0x1F) return kAccents[byte - 0x18];
  if (byte >= 0x7F && byte <= 0xA0) return kHigh[byte - 0x7F];
  return byte;
}

char UnicodeToWindows1252(char32_t code_point) {
  if (code_point == 0) return '?';
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<char>(code_point);
  }
  for (int byte = 0x80; byte < 0xA0; ++byte) {
    const auto b = static_cast<std::uint8_t>(byte);
    if (Windows1252ToUnicode(b) == code_point && code_point > 0x9F) return static_cast<char>(b);
  }
  return '?';
}

std::string FromUtf16(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t unit =
        static_cast<std::uint8_t>(bytes[i]) << 8 | static_cast<std::uint8_t>(bytes[i + 1]);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      i += 2;  // the pair names a character beyond the code page
      out += '?';
      continue;
    }
    out += UnicodeToWindows1252(unit);
  }
  return out;
}

std::string FromUtf8(std::string_view bytes) {
  std::string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || bytes.size() - i <= static_cast<std::size_t>(extra)) {
      out += '?';
      ++i;
      continue;
    }
    char32_t code_point = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<std::uint8_t>(bytes[i + k]);
      valid = valid && (next & 0xC0) == 0x80;
      code_point = code_point << 6 | (next & 0x3F);
    }
    out += valid ? UnicodeToWindows1252(code_point) : '?';
    i += valid ? static_cast<std::size_t>(extra) + 1 : 1;
  }
  return out;
}

}  // namespace

std::string DecodeLiteralString(std::string_view token) {
  std::string out;
  if (token.size() < 2) return out;
  const std::string_view body = token.substr(1, token.size() - 2);
  for (std::size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    if (c == '\r') {
      if (i + 1 < body.size() && body[i + 1] == '\n') ++i;
      out += '\n';
      continue;
    }
    if (c != '\\' || i + 1 == body.size()) {
      out += c;
      continue;
    }
    c = body[++i];
    switch (c) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case '\r':
        if (i + 1 < body.size() && body[i + 1] == '\n') ++i;
        break;
      case '\n':
        break;
      default:
        if (c >= '0' && c <= '7') {
          int value = c - '0';
          for (int digits = 1;
               digits < 3 && i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '7';
               ++digits) {
            value = value * 8 + (body[++i] - '0');
          }
          out += static_cast<char>(value & 0xFF);
        } else {
          out += c;  // \( \) \\ and any other escaped byte stand for themselves
        }
    }
  }
  return out;
}

std::string DecodeHexString(std::string_view token) {
  std::string out;
  int high = -1;
  for (const char c : token) {
    const int digit = HexValue(c);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      out += static_cast<char>(high << 4 | digit);
      high = -1;
    }
  }
  if (high >= 0) out += static_cast<char>(high << 4);
  return out;
}

std::string DecodeName(std::string_view token) {
  std::string out;
  if (!token.empty() && token.front() == '/') token.remove_prefix(1);
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (token[i] == '#' && i + 2 < token.size() && HexValue(token[i + 1]) >= 0 &&
        HexValue(token[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(token[i + 1]) << 4 | HexValue(token[i + 2]));
      i += 2;
    } else {
      out += token[i];
    }
  }
  return out;
}

std::string TextStringToWindows1252(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
    return FromUtf16(bytes.substr(2));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return FromUtf8(bytes.substr(3));
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes)
    out += UnicodeToWindows1252(PdfDocCharacter(static_cast<std::uint8_t>(c)));
  return out;
}

}  // namespace pagora

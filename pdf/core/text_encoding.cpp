#include "pdf/core/text_encoding.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "pdf/core/ascii_case.h"

namespace pagora {

std::string EscapeString(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 8);
  // Runs of bytes that need no escape are copied whole.
  std::size_t run_start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' && c != '(' && c != ')' && c != '\r' && c != '\n') continue;
    escaped.append(text, run_start, i - run_start);
    escaped += '\\';
    escaped += c == '\r' ? 'r' : c == '\n' ? 'n' : c;
    run_start = i + 1;
  }
  escaped.append(text, run_start);
  return escaped;
}

std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        std::size_t start, std::size_t count) {
  if (find.empty() || start == 0 || start > text.size()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t done = 0;
  std::size_t at = text.find(find, start - 1);
  for (std::size_t replaced = 0; at != std::string_view::npos && replaced < count; ++replaced) {
    result.append(text, done, at - done);
    result.append(replacement);
    done = at + find.size();
    at = text.find(find, done);
  }
  result.append(text, done);
  return result;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  if (text.empty() || delimiter.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t from = 0;
  for (std::size_t at = text.find(delimiter); at != std::string_view::npos;
       at = text.find(delimiter, from)) {
    pieces.emplace_back(text.substr(from, at - from));
    from = at + delimiter.size();
  }
  pieces.emplace_back(text.substr(from));
  return pieces;
}

std::string PdfNameToken(std::string_view name) {
  static constexpr std::string_view kSpecial = "()<>[]{}/%#";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string token;
  token.reserve(name.size());
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < '!' || byte > '~' || kSpecial.find(c) != std::string_view::npos) {
      token += '#';
      token += kHex[byte >> 4];
      token += kHex[byte & 15];
    } else {
      token += c;
    }
  }
  return token;
}

std::string TrimUpper(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::string upper = AsciiUpperCase(text.substr(first, text.find_last_not_of(' ') - first + 1));
  return upper;
}

double LeadingNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  std::string number;
  if (text[i] == '-' || text[i] == '+') number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
    } else if (!std::isdigit(static_cast<unsigned char>(c))) {
      break;
    }
    number += c;
  }
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace pagora

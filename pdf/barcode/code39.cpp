// Code 39 with the full-ASCII extension: each byte becomes one or two characters of the
// 43-character set, framed by "*" start and stop characters.
#include <array>
#include <optional>
#include <string>

#include "pdf/barcode/symbology_encoders.h"

namespace pagora {
namespace {

constexpr std::string_view kCharacterSet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr std::size_t kStartStop = 43;

// Nine elements, bar first: "b"/"B" narrow/wide bar, "w"/"W" narrow/wide space.
constexpr std::array<std::string_view, 44> kPatterns = {
    "bwbWBwBwb", "BwbWbwbwB", "bwBWbwbwB", "BwBWbwbwb",  // 0 1 2 3
    "bwbWBwbwB", "BwbWBwbwb", "bwBWBwbwb", "bwbWbwBwB",  // 4 5 6 7
    "BwbWbwBwb", "bwBWbwBwb", "BwbwbWbwB", "bwBwbWbwB",  // 8 9 A B
    "BwBwbWbwb", "bwbwBWbwB", "BwbwBWbwb", "bwBwBWbwb",  // C D E F
    "bwbwbWBwB", "BwbwbWBwb", "bwBwbWBwb", "bwbwBWBwb",  // G H I J
    "BwbwbwbWB", "bwBwbwbWB", "BwBwbwbWb", "bwbwBwbWB",  // K L M N
    "BwbwBwbWb", "bwBwBwbWb", "bwbwbwBWB", "BwbwbwBWb",  // O P Q R
    "bwBwbwBWb", "bwbwBwBWb", "BWbwbwbwB", "bWBwbwbwB",  // S T U V
    "BWBwbwbwb", "bWbwBwbwB", "BWbwBwbwb", "bWBwBwbwb",  // W X Y Z
    "bWbwbwBwB", "BWbwbwBwb", "bWBwbwBwb", "bWbWbWbwb",  // - . space $
    "bWbWbwbWb", "bWbwbWbWb", "bwbWbWbWb", "bWbwBwBwb",  // / + % *
};

std::string Pair(char shift, int code) {
  return {shift, static_cast<char>(code)};
}

// The full-ASCII pairs. "$", "%", "/" and "+" are the shift characters and "*" frames the
// symbol, so each of them travels as a pair too, or a full-ASCII scanner would misread or
// stop at it. Six characters below 128 and all above have no pair.
std::optional<std::string> FullAscii(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-' || c == '.') {
    return std::string(1, static_cast<char>(c));
  }
  if (c == 0) return "%U";
  if (c <= 26) return Pair('$', c + 64);
  if (c <= 31) return Pair('%', c + 38);
  if (c <= '/' || c == ':') return Pair('/', c + 32);
  if (c <= '?') return Pair('%', c + 11);
  if (c == '@') return "%V";
  if (c >= 'a' && c <= 'z') return Pair('+', c - 32);
  if (c >= '{' && c <= 127) return Pair('%', c - 43);
  return std::nullopt;
}

void AppendCharacter(std::vector<BarElement>& elements, std::size_t value) {
  for (const char letter : kPatterns[value]) {
    const bool wide = letter == 'B' || letter == 'W';
    const bool bar = letter == 'b' || letter == 'B';
    elements.push_back({bar ? BarKind::kBar : BarKind::kSpace, wide ? 3 : 1});
  }
  elements.push_back({BarKind::kSpace, 1});  // the gap between characters
}

}  // namespace

BarcodeSymbol EncodeCode39(std::string_view text, bool check_character) {
  BarcodeSymbol symbol;
  symbol.symbology = BarcodeSymbology::kCode39;
  std::string sequence;
  for (const char c : text) {
    const std::optional<std::string> pair = FullAscii(static_cast<unsigned char>(c));
    if (!pair) {
      symbol.status = BarcodeStatus::kUnencodableCharacter;
      return symbol;
    }
    sequence += *pair;
  }
  AppendCharacter(symbol.elements, kStartStop);
  std::size_t sum = 0;
  for (const char c : sequence) {
    const std::size_t value = kCharacterSet.find(c);
    sum += value;
    AppendCharacter(symbol.elements, value);
  }
  symbol.data = sequence;
  if (check_character) {
    const std::size_t check = sum % 43;
    AppendCharacter(symbol.elements, check);
    symbol.data += kCharacterSet[check];
    symbol.check_value = static_cast<int>(check);
  }
  AppendCharacter(symbol.elements, kStartStop);
  symbol.text_groups = {{std::string(text), std::nullopt, kBarcodeTextCentred}};
  return symbol;
}

}  // namespace pagora

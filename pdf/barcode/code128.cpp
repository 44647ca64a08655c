// Code 128 in sets B and C, switching to C for runs of digits long enough to pay for the
// switch, with the weighted mod-103 check symbol.
#include <string>

#include "pdf/barcode/code128_patterns.h"
#include "pdf/barcode/symbology_encoders.h"

namespace pagora {
namespace {

// Accepted by validation but without a set B value: the whole symbol is refused.
constexpr unsigned char kUnmappedCharacter = 198;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// Walks the text choosing the symbols; returns them start first, check and stop excluded.
// Set C needs 4 digits at the start or when exactly 4 characters are left, else 6.
std::vector<int> CodeValues(std::string_view text) {
  std::vector<int> values;
  bool set_c = false;
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t remaining = text.size() - p;
    if (!set_c) {
      const std::size_t needed = (p == 0 || remaining == 4) ? 4 : 6;
      if (remaining >= needed && AllDigits(text.substr(p, needed))) {
        values.push_back(p == 0 ? kCode128StartC : kCode128CodeC);
        set_c = true;
        continue;
      }
      if (p == 0) values.push_back(kCode128StartB);
      values.push_back(static_cast<unsigned char>(text[p]) - 32);
      ++p;
    } else if (remaining >= 2 && IsDigit(text[p]) && IsDigit(text[p + 1])) {
      values.push_back((text[p] - '0') * 10 + (text[p + 1] - '0'));
      p += 2;
    } else {
      values.push_back(kCode128CodeB);
      set_c = false;
    }
  }
  return values;
}

}  // namespace

BarcodeSymbol EncodeCode128(std::string_view text) {
  BarcodeSymbol symbol;
  symbol.symbology = BarcodeSymbology::kCode128;
  bool unmapped = false;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code == kUnmappedCharacter) {
      unmapped = true;
    } else if (code < 32 || code > 126) {
      symbol.status = BarcodeStatus::kNothingToDraw;
      return symbol;
    }
  }
  if (text.empty()) {
    symbol.status = BarcodeStatus::kNothingToDraw;
    return symbol;
  }
  if (unmapped) {
    symbol.status = BarcodeStatus::kUnencodableCharacter;
    return symbol;
  }
  symbol.code_values = CodeValues(text);
  // The start symbol counts once, like a weight of 1; the symbols after it are weighted
  // 1, 2, 3 ... in order.
  int sum = 0;
  for (std::size_t i = 0; i < symbol.code_values.size(); ++i) {
    const int weight = i == 0 ? 1 : static_cast<int>(i);
    sum = (sum + symbol.code_values[i] * weight) % 103;
  }
  symbol.check_value = sum;
  symbol.code_values.push_back(sum);
  symbol.code_values.push_back(kCode128Stop);
  for (const int value : symbol.code_values) {
    const std::string_view widths = kCode128Widths[value];
    for (std::size_t i = 0; i < widths.size(); ++i) {
      symbol.elements.push_back({i % 2 == 0 ? BarKind::kBar : BarKind::kSpace, widths[i] - '0'});
    }
  }
  symbol.data = std::string(text);
  symbol.text_groups = {{std::string(text), std::nullopt, kBarcodeTextCentred}};
  return symbol;
}

}  // namespace pagora

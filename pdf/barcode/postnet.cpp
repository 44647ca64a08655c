// POSTNET: five bars per digit, two of them full, then a check digit, between full frame
// bars. Bars are told apart by height only.
#include <algorithm>
#include <array>
#include <string>

#include "pdf/barcode/symbology_encoders.h"

namespace pagora {
namespace {

// "1" full bar, "0" half bar.
constexpr std::array<std::string_view, 10> kPatterns = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

// The characters that carry digits: a ZIP code, or a ZIP+4 of exactly ten characters
// whose sixth separates the two parts. A ZIP shorter than five encodes missing digits as
// 0, which is not a misread character.
std::string DigitCharacters(std::string_view text) {
  std::string zip(text.substr(0, std::min<std::size_t>(text.size(), 5)));
  if (text.size() == 10) zip += text.substr(6, 4);
  return zip;
}

void AppendBars(std::vector<BarElement>& elements, std::string_view pattern) {
  for (const char bar : pattern) {
    elements.push_back({bar == '1' ? BarKind::kFullBar : BarKind::kHalfBar, 1});
  }
}

}  // namespace

BarcodeSymbol EncodePostnet(std::string_view text) {
  const DigitReading reading = ReadDigits(DigitCharacters(text));
  std::string digits = reading.digits;
  if (digits.size() < 5) digits.resize(5, '0');
  BarcodeSymbol symbol;
  symbol.symbology = BarcodeSymbology::kPostnet;
  symbol.status = reading.had_non_digit ? BarcodeStatus::kNonDigitReadAsZero : BarcodeStatus::kOk;
  int sum = 0;
  for (const char digit : digits) sum += digit - '0';
  const int check = (10 - sum % 10) % 10;
  digits.push_back(static_cast<char>('0' + check));
  symbol.check_value = check;
  AppendBars(symbol.elements, "1");
  for (const char digit : digits) AppendBars(symbol.elements, kPatterns[digit - '0']);
  AppendBars(symbol.elements, "1");
  symbol.data = digits;
  symbol.text_groups = {{std::string(text), std::nullopt, kBarcodeTextCentred}};
  return symbol;
}

}  // namespace pagora

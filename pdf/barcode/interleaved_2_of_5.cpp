// Interleaved 2 of 5: digits in pairs, the first drawn in the bars and the second in the
// spaces between them, so the digit count must be even.
#include <array>
#include <string>

#include "pdf/barcode/symbology_encoders.h"

namespace pagora {
namespace {

// Five element widths per digit, "n" narrow and "w" wide.
constexpr std::array<std::string_view, 10> kPatterns = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn",
};
constexpr std::string_view kStart = "nnnn";
constexpr std::string_view kStop = "wnnn";

}  // namespace

BarcodeSymbol EncodeInterleaved2Of5(std::string_view text, bool check_character) {
  const DigitReading reading = ReadDigits(text);
  std::string digits = reading.digits;
  BarcodeSymbol symbol;
  symbol.symbology = BarcodeSymbology::kInterleaved2Of5;
  symbol.status = reading.had_non_digit ? BarcodeStatus::kNonDigitReadAsZero : BarcodeStatus::kOk;
  if (check_character) {
    const int check = Mod10CheckDigit(digits);
    digits.push_back(static_cast<char>('0' + check));
    symbol.check_value = check;
  }
  if (digits.size() % 2 == 1) digits.insert(digits.begin(), '0');
  std::string widths(kStart);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const std::string_view bars = kPatterns[digits[i] - '0'];
    const std::string_view spaces = kPatterns[digits[i + 1] - '0'];
    for (std::size_t k = 0; k < 5; ++k) {
      widths.push_back(bars[k]);
      widths.push_back(spaces[k]);
    }
  }
  widths += kStop;
  symbol.elements.reserve(widths.size());
  for (std::size_t i = 0; i < widths.size(); ++i) {
    symbol.elements.push_back(
        {i % 2 == 0 ? BarKind::kBar : BarKind::kSpace, widths[i] == 'w' ? 3 : 1});
  }
  symbol.data = digits;
  symbol.text_groups = {{std::string(text), std::nullopt, kBarcodeTextCentred}};
  return symbol;
}

}  // namespace pagora

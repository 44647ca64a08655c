#include "pdf/barcode/barcode_symbol.h"

#include "pdf/barcode/symbology_encoders.h"

namespace pagora {

std::optional<BarcodeSymbology> BarcodeSymbologyFromCode(int code) {
  if (code < 0 || code > 5) return std::nullopt;
  return static_cast<BarcodeSymbology>(code);
}

BarcodeSymbol EncodeBarcode(BarcodeSymbology symbology, std::string_view text,
                            bool check_character) {
  switch (symbology) {
    case BarcodeSymbology::kEan13:
      return EncodeEan13(text);
    case BarcodeSymbology::kCode39:
      return EncodeCode39(text, check_character);
    case BarcodeSymbology::kInterleaved2Of5:
      return EncodeInterleaved2Of5(text, check_character);
    case BarcodeSymbology::kPostnet:
      return EncodePostnet(text);
    case BarcodeSymbology::kCode128:
      return EncodeCode128(text);
    case BarcodeSymbology::kEan8:
      return EncodeEan8(text);
  }
  return {};
}

DigitReading ReadDigits(std::string_view characters) {
  DigitReading reading;
  reading.digits.reserve(characters.size());
  for (const char c : characters) {
    const bool digit = c >= '0' && c <= '9';
    reading.digits.push_back(digit ? c : '0');
    if (!digit) reading.had_non_digit = true;
  }
  return reading;
}

int Mod10CheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return (10 - sum % 10) % 10;
}

void AppendModules(std::vector<BarElement>& elements, std::string_view modules, BarKind dark_kind) {
  for (const char module : modules) {
    const BarKind kind = module == '1' ? dark_kind : BarKind::kSpace;
    if (!elements.empty() && elements.back().kind == kind) {
      ++elements.back().modules;
    } else {
      elements.push_back({kind, 1});
    }
  }
}

}  // namespace pagora

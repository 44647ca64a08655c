#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pdf/barcode/barcode_symbol.h"

// The encoder of each symbology and the small pieces they share; EncodeBarcode picks one.
namespace pagora {

BarcodeSymbol EncodeEan13(std::string_view text);
BarcodeSymbol EncodeEan8(std::string_view text);
BarcodeSymbol EncodeCode39(std::string_view text, bool check_character);
BarcodeSymbol EncodeInterleaved2Of5(std::string_view text, bool check_character);
BarcodeSymbol EncodePostnet(std::string_view text);
BarcodeSymbol EncodeCode128(std::string_view text);

// Characters read as digits the way numeric conversion reads one character: anything but
// "0" to "9" becomes "0", and is noted.
struct DigitReading {
  std::string digits;  // "0" to "9" only, one per character read
  bool had_non_digit = false;
};
DigitReading ReadDigits(std::string_view characters);

// The modulo-10 check digit of `digits` ("0" to "9" only): weight 3 on the rightmost,
// alternating with 1, and what brings the sum to a multiple of ten.
int Mod10CheckDigit(std::string_view digits);

// Appends a module pattern, "1" dark and "0" light, as runs of like modules; dark runs
// take `dark_kind`. A run continues the last element when that is of the same kind.
void AppendModules(std::vector<BarElement>& elements, std::string_view modules, BarKind dark_kind);

}  // namespace pagora

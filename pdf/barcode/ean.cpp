// EAN-13 and EAN-8: seven modules per digit between guard patterns, a check digit of
// alternating weights 3 and 1.
#include <algorithm>
#include <array>
#include <string>

#include "pdf/barcode/symbology_encoders.h"

namespace pagora {
namespace {

// Left-hand odd parity (A) codes.
constexpr std::array<std::string_view, 10> kLCodes = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};
// Left-hand even parity (B) codes; read backwards they are the right-hand codes.
constexpr std::array<std::string_view, 10> kGCodes = {
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111",
};
// EAN-13's first digit is not drawn: it chooses the parities of the left group.
constexpr std::array<std::string_view, 10> kFirstDigitParity = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

constexpr std::string_view kSideGuard = "101";
constexpr std::string_view kCentreGuard = "01010";

int Digit(char c) {
  return c - '0';
}

// `count` characters of `text` as digits, missing ones as 0 (not reported: the text line
// just shows fewer digits), followed by the check digit.
DigitReading DigitsWithCheck(std::string_view text, std::size_t count) {
  DigitReading reading = ReadDigits(text.substr(0, std::min(text.size(), count)));
  reading.digits.resize(count, '0');
  reading.digits.push_back(static_cast<char>('0' + Mod10CheckDigit(reading.digits)));
  return reading;
}

void AppendRightDigit(std::vector<BarElement>& elements, char digit) {
  const std::string_view g = kGCodes[Digit(digit)];
  AppendModules(elements, std::string(g.rbegin(), g.rend()), BarKind::kBar);
}

std::string Substring(std::string_view text, std::size_t position, std::size_t count) {
  return std::string(position < text.size() ? text.substr(position, count) : "");
}

BarcodeSymbol Start(BarcodeSymbology symbology, const DigitReading& reading) {
  BarcodeSymbol symbol;
  symbol.symbology = symbology;
  symbol.status = reading.had_non_digit ? BarcodeStatus::kNonDigitReadAsZero : BarcodeStatus::kOk;
  symbol.data = reading.digits;
  symbol.check_value = Digit(reading.digits.back());
  return symbol;
}

}  // namespace

BarcodeSymbol EncodeEan13(std::string_view text) {
  const DigitReading reading = DigitsWithCheck(text, 12);
  const std::string& digits = reading.digits;
  BarcodeSymbol symbol = Start(BarcodeSymbology::kEan13, reading);
  std::vector<BarElement>& elements = symbol.elements;
  const std::string_view parity = kFirstDigitParity[Digit(digits[0])];
  AppendModules(elements, kSideGuard, BarKind::kGuardBar);
  for (std::size_t i = 1; i <= 6; ++i) {
    const auto& codes = parity[i - 1] == 'A' ? kLCodes : kGCodes;
    AppendModules(elements, codes[Digit(digits[i])], BarKind::kBar);
  }
  AppendModules(elements, kCentreGuard, BarKind::kGuardBar);
  for (std::size_t i = 7; i <= 12; ++i) AppendRightDigit(elements, digits[i]);
  AppendModules(elements, kSideGuard, BarKind::kGuardBar);
  // The line shows the characters given, never padding, and the check digit in place of
  // any 13th character.
  symbol.text_groups = {
      {Substring(text, 0, 1), -8, kBarcodeTextLeft},
      {Substring(text, 1, 6), 24, kBarcodeTextCentred},
      {Substring(text, 7, 5) + digits[12], 71, kBarcodeTextCentred},
  };
  return symbol;
}

BarcodeSymbol EncodeEan8(std::string_view text) {
  const DigitReading reading = DigitsWithCheck(text, 7);
  const std::string& digits = reading.digits;
  BarcodeSymbol symbol = Start(BarcodeSymbology::kEan8, reading);
  std::vector<BarElement>& elements = symbol.elements;
  AppendModules(elements, kSideGuard, BarKind::kGuardBar);
  for (std::size_t i = 0; i < 4; ++i) {
    AppendModules(elements, kLCodes[Digit(digits[i])], BarKind::kBar);
  }
  AppendModules(elements, kCentreGuard, BarKind::kGuardBar);
  for (std::size_t i = 4; i < 8; ++i) AppendRightDigit(elements, digits[i]);
  AppendModules(elements, kSideGuard, BarKind::kGuardBar);
  symbol.text_groups = {
      {Substring(text, 0, 4), 17, kBarcodeTextCentred},
      {Substring(text, 4, 3) + digits[7], 50, kBarcodeTextCentred},
  };
  return symbol;
}

}  // namespace pagora

// What each symbology makes of a text, at the level of symbol values, modules and check
// characters; scanning the drawn result is barcode_scan_test's job.
#include "pdf/barcode/barcode_symbol.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "pdf/barcode/code128_patterns.h"

namespace pagora {
namespace {

using Values = std::vector<int>;

// The module string of a run-length symbol: "1" dark, "0" light.
std::string Modules(const BarcodeSymbol& symbol) {
  std::string modules;
  for (const BarElement& element : symbol.elements) {
    modules.append(element.modules, element.kind == BarKind::kSpace ? '0' : '1');
  }
  return modules;
}

// The element widths as letters, "n" narrow and "w" wide.
std::string Widths(const BarcodeSymbol& symbol) {
  std::string widths;
  for (const BarElement& element : symbol.elements) widths += element.modules == 3 ? 'w' : 'n';
  return widths;
}

TEST(Code128Symbol, SwitchesBetweenSetsBAndC) {
  // Check: the start value plus each later symbol times its position, mod 103.
  const struct {
    const char* text;
    Values values;
  } cases[] = {
      {"12345678", {105, 12, 34, 56, 78, 47, 106}},
      {"AB12", {104, 33, 34, 17, 18, 19, 106}},
      {"A123456", {104, 33, 99, 12, 34, 56, 66, 106}},
      // Five digits after A: one goes in set B, then exactly four are left.
      {"A12345", {104, 33, 17, 99, 23, 45, 64, 106}},
      // An odd run of digits drops back to set B for its last digit.
      {"12345", {105, 12, 34, 100, 21, 54, 106}},
      {"A1234567", {104, 33, 99, 12, 34, 56, 100, 23, 3, 106}},
      {"123", {104, 17, 18, 19, 8, 106}},
      {"1234AB", {105, 12, 34, 100, 33, 34, 66, 106}},
      {" ~", {104, 0, 94, 86, 106}},
  };
  for (const auto& c : cases) {
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kCode128, c.text, false);
    EXPECT_EQ(symbol.status, BarcodeStatus::kOk) << c.text;
    EXPECT_EQ(symbol.code_values, c.values) << c.text;
    EXPECT_EQ(symbol.check_value, c.values[c.values.size() - 2]) << c.text;
    EXPECT_EQ(symbol.data, c.text);
  }
}

TEST(Code128Symbol, ModulesFollowTheStandardTable) {
  std::set<std::string_view> distinct;
  for (std::size_t value = 0; value < kCode128Widths.size(); ++value) {
    const std::string_view widths = kCode128Widths[value];
    int modules = 0;
    int bar_modules = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      modules += widths[i] - '0';
      if (i % 2 == 0) bar_modules += widths[i] - '0';
    }
    EXPECT_EQ(modules, value == 106 ? 13 : 11) << value;
    EXPECT_EQ(bar_modules % 2, 0) << value;  // the parity every character keeps
    distinct.insert(widths);
  }
  EXPECT_EQ(distinct.size(), kCode128Widths.size());
  // "0" in set B is value 16: start B, 16, check (104 + 16) mod 103 = 17, stop.
  const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kCode128, "0", false);
  EXPECT_EQ(Modules(symbol),
            "11010010000"      // start B
            "10011101100"      // 16
            "10011100110"      // 17
            "1100011101011");  // stop
}

TEST(Code128Symbol, RefusesOrSkipsUnencodableText) {
  const struct {
    std::string text;
    BarcodeStatus status;
  } cases[] = {
      {"", BarcodeStatus::kNothingToDraw},
      {"AB\n", BarcodeStatus::kNothingToDraw},
      {"\x7f", BarcodeStatus::kNothingToDraw},
      {"\xC6\x7f", BarcodeStatus::kNothingToDraw},
      {"AB\xC6", BarcodeStatus::kUnencodableCharacter},
  };
  for (const auto& c : cases) {
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kCode128, c.text, false);
    EXPECT_EQ(symbol.status, c.status) << c.text;
    EXPECT_TRUE(symbol.elements.empty()) << c.text;
  }
}

TEST(Code39Symbol, ExpandsFullAsciiAndChecksTheEncodedSequence) {
  const struct {
    std::string text;
    bool check;
    const char* data;
  } cases[] = {
      {"CODE 39", false, "CODE 39"},
      // "+" 41 and "A" 10: 51 mod 43 = 8.
      {"a", true, "+A8"},
      // C 12, O 24, D 13, E 14, space 38, 3, 9: 113 mod 43 = 27.
      {"CODE 39", true, "CODE 39R"},
      {"@*", false, "%V/J"},
      {"$%/+", false, "/D/E/O/K"},
      {std::string("\0\x01\x1a\x1b\x1f", 5), false, "%U$A$Z%A%E"},
      {"!,:;?{\x7f-.", false, "/A/L/Z%F%J%P%T-."},
      {"", true, "0"},
  };
  for (const auto& c : cases) {
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kCode39, c.text, c.check);
    EXPECT_EQ(symbol.status, BarcodeStatus::kOk) << c.text;
    EXPECT_EQ(symbol.data, c.data) << c.text;
    // Start, data, check, stop: nine elements and a gap each.
    EXPECT_EQ(symbol.elements.size(), 10 * (2 + symbol.data.size())) << c.text;
    ASSERT_EQ(symbol.text_groups.size(), 1u);
    EXPECT_EQ(symbol.text_groups[0].text, c.text);
  }
  const BarcodeSymbol star = EncodeBarcode(BarcodeSymbology::kCode39, "", false);
  EXPECT_EQ(Widths(star).substr(0, 10), "nwnnwnwnnn");  // "*", then the gap
}

TEST(Code39Symbol, RefusesCharactersWithoutAPair) {
  for (const char* text : {"[", "\\", "]", "^", "_", "`", "AB\x80", "\xff"}) {
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kCode39, text, true);
    EXPECT_EQ(symbol.status, BarcodeStatus::kUnencodableCharacter) << text;
    EXPECT_TRUE(symbol.elements.empty()) << text;
  }
}

TEST(Interleaved2Of5Symbol, AddsCheckDigitAndLeadingZero) {
  const struct {
    const char* text;
    bool check;
    const char* data;
    BarcodeStatus status;
  } cases[] = {
      {"123", false, "0123", BarcodeStatus::kOk},
      // 3·3 + 2 + 3·1 = 14: check 6, and four digits need no zero.
      {"123", true, "1236", BarcodeStatus::kOk},
      {"1234567", true, "12345670", BarcodeStatus::kOk},
      {"12a4", false, "1204", BarcodeStatus::kNonDigitReadAsZero},
      {"", false, "", BarcodeStatus::kOk},
  };
  for (const auto& c : cases) {
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kInterleaved2Of5, c.text, c.check);
    EXPECT_EQ(symbol.data, c.data) << c.text;
    EXPECT_EQ(symbol.status, c.status) << c.text;
    EXPECT_EQ(symbol.text_groups.at(0).text, c.text);
  }
  // 0 (nnwwn) in the bars, 1 (wnnnw) in the spaces, then 2 and 3.
  EXPECT_EQ(Widths(EncodeBarcode(BarcodeSymbology::kInterleaved2Of5, "123", false)),
            "nnnn"
            "nwnnwnwnnw"
            "nwwwnnnnwn"
            "wnnn");
}

TEST(EanSymbol, ComputesCheckDigitAndGroups) {
  using Groups = std::vector<std::string>;
  const struct {
    BarcodeSymbology symbology;
    const char* text;
    const char* data;
    Groups groups;
    BarcodeStatus status = BarcodeStatus::kOk;
  } cases[] = {
      {BarcodeSymbology::kEan13, "400638133393", "4006381333931", {"4", "006381", "333931"}},
      // A 13th digit gives way to the computed one, even a wrong one.
      {BarcodeSymbology::kEan13, "4006381333939", "4006381333931", {"4", "006381", "333931"}},
      {BarcodeSymbology::kEan13, "12345", "1234500000003", {"1", "2345", "3"}},
      {BarcodeSymbology::kEan13, "9780201379624", "9780201379624", {"9", "780201", "379624"}},
      {BarcodeSymbology::kEan13,
       "97802013796x",
       "9780201379600",
       {"9", "780201", "3796x0"},
       BarcodeStatus::kNonDigitReadAsZero},
      {BarcodeSymbology::kEan8, "9638507", "96385074", {"9638", "5074"}},
      {BarcodeSymbology::kEan8, "5512345", "55123457", {"5512", "3457"}},
      {BarcodeSymbology::kEan8, "", "00000000", {"", "0"}},
  };
  for (const auto& c : cases) {
    const BarcodeSymbol symbol = EncodeBarcode(c.symbology, c.text, false);
    EXPECT_EQ(symbol.data, c.data) << c.text;
    EXPECT_EQ(symbol.status, c.status) << c.text;
    EXPECT_EQ(symbol.check_value, symbol.data.back() - '0');
    Groups groups;
    for (const HumanReadableGroup& group : symbol.text_groups) groups.push_back(group.text);
    EXPECT_EQ(groups, c.groups) << c.text;
    EXPECT_EQ(Modules(symbol).size(), c.symbology == BarcodeSymbology::kEan13 ? 95u : 67u);
  }
  // First digit 4 selects ABAABB; right digits are the G codes read backwards.
  const std::string modules =
      Modules(EncodeBarcode(BarcodeSymbology::kEan13, "4006381333931", false));
  EXPECT_EQ(modules.substr(0, 3 + 14),
            "101"
            "0001101"
            "0100111");  // 0 in A, 0 in B
  EXPECT_EQ(modules.substr(45, 5 + 7),
            "01010"
            "1000010");  // centre, 3 as R
  EXPECT_EQ(modules.substr(85),
            "1100110"
            "101");  // 1 as R, end guard
}

TEST(EanSymbol, GuardsReachIntoTheTextLine) {
  const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kEan8, "1234567", false);
  std::vector<int> guard_modules;
  int module = 0;
  for (const BarElement& element : symbol.elements) {
    if (element.kind == BarKind::kGuardBar) guard_modules.push_back(module);
    module += element.modules;
  }
  EXPECT_EQ(guard_modules, (std::vector<int>{0, 2, 32, 34, 64, 66}));
}

TEST(PostnetSymbol, EncodesZipOrZipPlusFourWithCheckDigit) {
  const struct {
    const char* text;
    const char* data;
    BarcodeStatus status;
  } cases[] = {
      {"12345-6789", "1234567895", BarcodeStatus::kOk},
      {"123456789", "123455", BarcodeStatus::kOk},  // no separator: only the ZIP
      {"12345", "123455", BarcodeStatus::kOk},
      {"123", "123004", BarcodeStatus::kOk},
      {"12x45", "120458", BarcodeStatus::kNonDigitReadAsZero},
      {"12345 678x", "1234567804", BarcodeStatus::kNonDigitReadAsZero},
  };
  for (const auto& c : cases) {
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeSymbology::kPostnet, c.text, false);
    EXPECT_EQ(symbol.data, c.data) << c.text;
    EXPECT_EQ(symbol.status, c.status) << c.text;
    EXPECT_EQ(symbol.elements.size(), 2 + 5 * symbol.data.size()) << c.text;
  }
  // Frame, 1 = 00011, ..., check 5 = 01010, frame.
  std::string bars;
  for (const BarElement& bar : EncodeBarcode(BarcodeSymbology::kPostnet, "12345", false).elements) {
    bars += bar.kind == BarKind::kFullBar ? '1' : '0';
  }
  EXPECT_EQ(bars,
            "1"
            "00011"
            "00101"
            "00110"
            "01001"
            "01010"
            "01010"
            "1");
}

TEST(BarcodeSymbology, MapsPublicCodes) {
  EXPECT_EQ(BarcodeSymbologyFromCode(0), BarcodeSymbology::kEan13);
  EXPECT_EQ(BarcodeSymbologyFromCode(5), BarcodeSymbology::kEan8);
  EXPECT_FALSE(BarcodeSymbologyFromCode(-1));
  EXPECT_FALSE(BarcodeSymbologyFromCode(6));
}

}  // namespace
}  // namespace pagora

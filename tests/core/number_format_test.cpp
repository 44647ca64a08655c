#include "pdf/core/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "pdf/core/runtime_error.h"

namespace pagora {
namespace {

__extension__ typedef unsigned __int128 uint128;

TEST(FormatNumber, WritesTheDocumentedExamples) {
  const struct {
    float input;
    const char* text;
  } cases[] = {
      {2.0f, "2"},
      {0.5f, "0.5"},
      {595.27559f, "595.276"},
      {0.0004f, "0"},
      {12.3456f, "12.346"},
      {-3.25f, "-3.25"},
      {12345.678f, "12345.68"},
      {0.0f, "0"},
      {-0.0f, "0"},
      {-0.0004f, "0"},
      {0.001f, "0.001"},
      {0.01f, "0.01"},
      {1.0625f, "1.063"},
      {-1.0625f, "-1.063"},
      {999.9996f, "1000"},
      {596.0f, "596"},
      {1e6f, "1000000"},
      {9999999.0f, "9999999"},
      {1e7f, "10000000"},
      {123456789.0f, "123456800"},
      {-2.5e20f, "-250000000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.input), c.text) << c.input;
}

TEST(FormatNumber, NeverWritesACommaInACommaLocale) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_ALL, "it_IT.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no comma locale installed";
  }
  EXPECT_EQ(FormatNumber(28.346455f), "28.346");
  EXPECT_EQ(FormatColor("#FF8000"), "1 0.502 0");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(FormatNumber, RefusesWhatSinglePrecisionCannotHold) {
  for (const float x :
       {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN(), 1e36f, -3.4e38f}) {
    try {
      FormatNumber(x);
      ADD_FAILURE() << x << " was formatted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kOverflow);
    }
  }
  EXPECT_NO_THROW(FormatNumber(3.4e35f));
}

TEST(FormatLength, ConvertsUserUnitsInSinglePrecision) {
  EXPECT_EQ(FormatLength(10.0f, 2.8346455f), "28.346");  // 10 mm
  EXPECT_EQ(FormatLength(1.0f, 72.0f), "72");
  EXPECT_EQ(FormatLength(-2.5f, 28.346455f), "-70.866");
}

TEST(FormatColor, TurnsHexadecimalIntoOperands) {
  EXPECT_EQ(FormatColor("#FF8000"), "1 0.502 0");
  EXPECT_EQ(FormatColor("#000000"), "0 0 0");
  EXPECT_EQ(FormatColor("#ffffff"), "1 1 1");
  EXPECT_EQ(FormatColor("#F7120D"), "0.969 0.071 0.051");
  EXPECT_EQ(FormatColorByte(128), "0.502");
  EXPECT_EQ(FormatColorByte(1), "0.004");
  for (const char* bad : {"", "#", "#12345", "#12345G", "#-12345", "# 12345", "#0x1234"}) {
    try {
      FormatColor(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kTypeMismatch) << bad;
    }
  }
  EXPECT_EQ(FormatBoolean(true), "true");
  EXPECT_EQ(FormatBoolean(false), "false");
}

// --- Slow reference: Round3 with 64-bit-mantissa arithmetic, decimal output with exact
// integer arithmetic on the float's binary value.

// Exact for |x| < 2^53 / 1000: x × 1000 + 0.5 fits the 64-bit mantissa.
float ReferenceRound3(float x) {
  const long double t = static_cast<float>(std::fabs(static_cast<long double>(x)) * 1000 + 0.5L);
  const long double k = std::floor(t);
  const float r = static_cast<float>(k / 1000);  // k / 1000 is either exact or far from a tie
  return x < 0 ? -r : r;
}

// value = digits / 10^decimals, exactly.
struct ExactDecimal {
  uint128 digits;
  int decimals;
};

ExactDecimal ExactValue(float magnitude) {
  int exponent = 0;
  const float mantissa = std::frexp(magnitude, &exponent);
  const auto significand = static_cast<uint128>(std::ldexp(mantissa, 24));
  int shift = exponent - 24;  // magnitude = significand × 2^shift
  if (shift >= 0) return {significand << shift, 0};
  // significand / 2^n = significand × 5^n / 10^n
  uint128 digits = significand;
  for (int i = 0; i < -shift; ++i) digits *= 5;
  return {digits, -shift};
}

std::string ReferenceFormat(float x) {
  const float r = ReferenceRound3(x);
  if (r == 0) return "0";
  ExactDecimal value = ExactValue(std::fabs(r));
  std::string digits;
  for (uint128 d = value.digits; d != 0; d /= 10)
    digits.insert(digits.begin(), char('0' + int(d % 10)));
  // Round to seven significant digits, ties to even.
  if (digits.size() > 7) {
    const std::size_t cut = digits.size() - 7;
    const std::string rest = digits.substr(7);
    std::string kept = digits.substr(0, 7);
    const bool above_half =
        rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool tie = rest[0] == '5' && !above_half;
    if (above_half || (tie && (kept.back() - '0') % 2 == 1)) {
      int i = 6;
      while (i >= 0 && kept[i] == '9') kept[i--] = '0';
      if (i < 0) {
        kept.insert(kept.begin(), '1');
      } else {
        ++kept[i];
      }
    }
    digits = kept + std::string(cut, '0');
  }
  // Place the point.
  std::string text;
  if (static_cast<int>(digits.size()) <= value.decimals) {
    text = "0." + std::string(value.decimals - digits.size(), '0') + digits;
  } else {
    text = digits;
    if (value.decimals > 0) text.insert(text.size() - value.decimals, ".");
  }
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return (r < 0 ? "-" : "") + text;
}

TEST(FormatNumber, MatchesExactReferenceOnMillionsOfFloats) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<float> coordinate(-20000.0f, 20000.0f);
  std::uniform_int_distribution<int> thousandths(-20000000, 20000000);
  std::uniform_int_distribution<std::uint32_t> bits;
  constexpr int kRounds = 1'500'000;
  int mismatches = 0;
  auto check = [&](float x) {
    if (!std::isfinite(x) || std::fabs(x) >= 1e15f) return;
    const std::string expected = ReferenceFormat(x);
    const std::string actual = FormatNumber(x);
    if (actual != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "x=" << std::hexfloat << x << " got " << actual << " want " << expected;
    }
  };
  for (int i = 0; i < kRounds; ++i) {
    check(std::bit_cast<float>(bits(random)));  // any finite float
    check(coordinate(random));                  // typical coordinates
    // Values at and just beside a half-thousandth, where rounding decides.
    const float half = static_cast<float>((thousandths(random) + 0.5) / 1000.0);
    check(half);
    check(std::nextafter(half, 0.0f));
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FormatNumber, MatchesExactReferenceOnEveryFloatInUnitInterval) {
  // Every float in [1, 1.25): a dense slice where seven digits meet the float's precision.
  int mismatches = 0;
  for (std::uint32_t bits = std::bit_cast<std::uint32_t>(1.0f);
       bits < std::bit_cast<std::uint32_t>(1.25f); ++bits) {
    const float x = std::bit_cast<float>(bits);
    if (FormatNumber(x) != ReferenceFormat(x) && ++mismatches <= 10)
      ADD_FAILURE() << std::hexfloat << x;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(Round3, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(Round3(1.0625f), 1.063f);
  EXPECT_EQ(Round3(-1.0625f), -1.063f);
  EXPECT_EQ(Round3(0.0005f), 0.001f);
  EXPECT_EQ(Round3(0.0004f), 0.0f);
  // Large values keep their magnitude: the 0.5 matters only at an exact tie of x × 1000.
  EXPECT_FLOAT_EQ(Round3(1e30f), 1e30f);
  EXPECT_EQ(Round3(16777216.0f), 16777216.0f);
}

}  // namespace
}  // namespace pagora

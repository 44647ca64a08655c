#include "pdf/core/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "pdf/core/runtime_error.h"

namespace pagora {
namespace {

constexpr int kSignificantDigits = 7;

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// Smallest double that rounds to infinity as a float.
constexpr double kFloatOverflow = 0x1p128 - 0x1p103;

// Rounds a positive double to a float, resolving an exact tie upward instead of to even.
// This is what adding 0.5 does before rounding when the 0.5 itself is too small to be kept.
float RoundToFloatTiesUp(double value) {
  float rounded = static_cast<float>(value);
  if (static_cast<double>(rounded) < value) {
    const float up = std::nextafter(rounded, std::numeric_limits<float>::infinity());
    if (value - static_cast<double>(rounded) == static_cast<double>(up) - value) rounded = up;
  }
  return rounded;
}

// Writes the digits of `value` with `decimals` of them after a point, dropping trailing
// zeros and a trailing point. Returns the end of what was written.
char* WriteScaledDecimal(char* out, std::uint64_t value, int decimals) {
  char digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  // Trailing zeros after the point carry nothing.
  int skip = 0;
  while (skip < decimals && digits[skip] == '0') ++skip;
  const int kept_decimals = decimals - skip;
  if (count <= decimals) {
    *out++ = '0';
    if (kept_decimals > 0) {
      *out++ = '.';
      for (int i = count; i < decimals; ++i) *out++ = '0';
    }
  } else {
    for (int i = count - 1; i >= decimals; --i) *out++ = digits[i];
    if (kept_decimals > 0) *out++ = '.';
  }
  for (int i = std::min(count, decimals) - 1; i >= skip; --i) *out++ = digits[i];
  return out;
}

// Seven significant digits of a value of 10 000 000 or more, written as plain digits.
char* WriteLargeDecimal(char* out, double magnitude) {
  char scientific[32];
  const auto result = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  // "d.dddddde+XX": the mantissa digits, then zeros up to the exponent.
  int exponent = 0;
  const char* e = std::find(scientific, result.ptr, 'e');
  std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, exponent);
  *out++ = scientific[0];
  for (int i = 0; i < exponent; ++i) {
    const char* digit = scientific + 2 + i;
    *out++ = digit < e ? *digit : '0';
  }
  return out;
}

}  // namespace

float CheckedFloat(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) throw RuntimeError(kOverflow);
  return static_cast<float>(value);
}

float Round3(float x) {
  if (!std::isfinite(x)) throw RuntimeError(kOverflow);
  const double magnitude = std::fabs(static_cast<double>(x));
  // magnitude × 1000 is exact in a double (24 + 10 bits); adding 0.5 is exact below 2^52.
  const double scaled = magnitude * 1000.0;
  if (scaled + 0.5 >= kFloatOverflow) throw RuntimeError(kOverflow);
  const float t = scaled < 0x1p52 ? static_cast<float>(scaled + 0.5) : RoundToFloatTiesUp(scaled);
  const float rounded = static_cast<float>(static_cast<double>(std::floor(t)) * 0.001);
  return x < 0 ? -rounded : rounded;
}

std::size_t FormatNumberTo(float x, char (&out)[kMaxNumberChars]) {
  const float r = Round3(x);
  const double magnitude = std::fabs(static_cast<double>(r));
  char* end = out;
  if (magnitude == 0) {
    *end++ = '0';
    return 1;
  }
  if (r < 0) *end++ = '-';
  if (magnitude < 1e7) {
    // Round3 leaves nothing between 0 and 0.001, so the leading digit's exponent is -3..6
    // and at most nine decimals are needed.
    int decimals = 0;
    while (decimals < 9 && magnitude * kPowersOfTen[decimals] < 1e6) ++decimals;
    // Exact: the float's 24-bit significand times 5^decimals (at most 2^21) fits a double,
    // so the only rounding is nearbyint's, to nearest with ties to even.
    const double scaled = magnitude * kPowersOfTen[decimals];
    end = WriteScaledDecimal(end, static_cast<std::uint64_t>(std::nearbyint(scaled)), decimals);
  } else {
    end = WriteLargeDecimal(end, magnitude);
  }
  return static_cast<std::size_t>(end - out);
}

std::string FormatNumber(float x) {
  char text[kMaxNumberChars];
  return std::string(text, FormatNumberTo(x, text));
}

std::string FormatLength(float length, float unit_factor) {
  return FormatNumber(length * unit_factor);
}

std::string_view FormatColorByte(std::uint8_t byte) {
  // Colour operands repeat endlessly; the 256 texts are made once.
  static const auto kTexts = [] {
    std::array<std::string, 256> texts;
    for (int b = 0; b < 256; ++b) texts[b] = FormatNumber(static_cast<float>(b / 255.0));
    return texts;
  }();
  return kTexts[byte];
}

std::string FormatColor(std::string_view color) {
  if (color.size() < 7) throw RuntimeError(kTypeMismatch);
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(color.data() + 1, color.data() + 7, value, 16);
  if (error != std::errc() || end != color.data() + 7) throw RuntimeError(kTypeMismatch);
  std::string text;
  text.reserve(20);
  text += FormatColorByte(static_cast<std::uint8_t>(value >> 16));
  text += ' ';
  text += FormatColorByte(static_cast<std::uint8_t>(value >> 8));
  text += ' ';
  text += FormatColorByte(static_cast<std::uint8_t>(value));
  return text;
}

std::string_view FormatBoolean(bool value) {
  return value ? "true" : "false";
}

}  // namespace pagora

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pagora {

// Longest text FormatNumberTo writes: a sign and the 36 digits of the largest value that
// survives Round3, with room to spare.
inline constexpr std::size_t kMaxNumberChars = 48;

// `value` rounded to single precision, the precision of every length of the engine.
// Throws RuntimeError 6 when it does not fit (or is not a number).
float CheckedFloat(double value);

// Rounds half away from zero to three decimals, in single precision: x × 1000 + 0.5 is
// stored as a float, floored, and multiplied by 0.001 into a float (negative values
// mirror positive ones). Throws RuntimeError 6 when x is not finite or x × 1000
// overflows a float.
float Round3(float x);

// A PDF number: Round3(x) in plain decimal notation with at most seven significant
// digits, trailing zeros and a trailing point removed, "0" for zero, a "." whatever the
// locale, never an exponent (values of 10 000 000 and more are written as digits).
// Examples: 595.27559 → "595.276", 0.0004 → "0", 12345.678 → "12345.68".
// Throws as Round3.
std::string FormatNumber(float x);
// As FormatNumber, into `out`; returns the number of bytes written.
std::size_t FormatNumberTo(float x, char (&out)[kMaxNumberChars]);

// A user length in points: FormatNumber(length × unit_factor), the product in single
// precision.
std::string FormatLength(float length, float unit_factor);

// A colour component byte as a number from 0 to 1: FormatNumber(byte ÷ 255).
std::string_view FormatColorByte(std::uint8_t byte);

// The operands of a colour "#RRGGBB" (hexadecimal, either case): three numbers from 0 to 1
// separated by single blanks, e.g. "#FF8000" → "1 0.502 0". Throws RuntimeError 13 when
// characters 2 to 7 are missing or not hexadecimal digits.
std::string FormatColor(std::string_view color);

// "true" or "false".
std::string_view FormatBoolean(bool value);

}  // namespace pagora

#include "pdf/graphics/color.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "pdf/core/runtime_error.h"
#include "pdf/core/text_encoding.h"

namespace pagora {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 35> kNamedColors = {{
    {"BLACK", "#000000"},       {"GRAY", "#808080"},       {"SILVER", "#C0C0C0"},
    {"WHITE", "#FFFFFF"},       {"MAROON", "#800000"},     {"RED", "#F7120D"},
    {"PURPLE", "#800080"},      {"FUCHSIA", "#FF00FF"},    {"MAGENTA", "#FF00FF"},
    {"GREEN", "#008000"},       {"LIME", "#00FF00"},       {"OLIVE", "#808000"},
    {"YELLOW", "#FFFF00"},      {"NAVY", "#000080"},       {"BLUE", "#0000FF"},
    {"TEAL", "#008080"},        {"AQUA", "#00FFFF"},       {"CYAN", "#00FFFF"},
    {"AZURE", "#F0FFFF"},       {"GOLD", "#FFD700"},       {"LIGHTBLUE", "#ADD8E6"},
    {"LIGHTCYAN", "#E0FFFF"},   {"LIGHTGREEN", "#90EE90"}, {"LIGHTPINK", "#FFB6C1"},
    {"LIGHTYELLOW", "#FFFFE0"}, {"TOMATO", "#FF6347"},     {"VIOLET", "#EE82EE"},
    {"PINK", "#FFC0CB"},        {"IVORY", "#FFFFF0"},      {"DARKGRAY", "#A9A9A9"},
    {"DARKCYAN", "#008B8B"},    {"DARKBLUE", "#00008B"},   {"BROWN", "#A52A2A"},
    {"BEIGE", "#F5F5DC"},       {"ORANGE", "#FF7F00"},
}};

// Two upper-case hexadecimal digits of a component: rounded half to even, the last two
// digits kept as the hexadecimal form of a larger value would show them.
std::string HexByte(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 2147483647.0) throw RuntimeError(kOverflow);
  const auto byte = static_cast<unsigned>(static_cast<long>(std::nearbyint(value))) & 0xFF;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", byte);
  return digits;
}

std::string HexColor(std::string_view text) {
  const std::string_view digits = text.substr(1, 6);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c));
      })) {
    throw RuntimeError(kTypeMismatch);
  }
  return "#" + std::string(6 - digits.size(), '0') + std::string(digits);
}

std::string GreyColor(std::string_view text) {
  const double percent = std::clamp(LeadingNumber(text.substr(1)), 0.0, 100.0);
  const std::string grey = HexByte(255 - std::floor(percent * 255 / 100));
  return "#" + grey + grey + grey;
}

std::string ComponentColor(std::string_view text) {
  const std::vector<std::string> parts = SplitText(ReplaceText(text.substr(1), ",", "."), ";");
  std::string color = "#";
  if (parts.size() == 3) {
    for (const std::string& part : parts) color += HexByte(LeadingNumber(part));
  } else if (parts.size() == 4) {
    const double black = LeadingNumber(parts[3]);
    for (int i = 0; i < 3; ++i)
      color += HexByte(std::fabs(100 - (LeadingNumber(parts[i]) + black)) * 2.55);
  } else {
    throw RuntimeError(kTypeMismatch);
  }
  return color;
}

}  // namespace

NormalizedColor NormalizeColor(std::string_view text) {
  if (text.empty()) return {};
  switch (text[0]) {
    case '#':
      return {HexColor(text), {}};
    case '%':
      return {GreyColor(text), {}};
    case '@':
      return {ComponentColor(text), {}};
    default:
      break;
  }
  const std::vector<std::string> parts = SplitText(text, ";");
  std::string name = TrimUpper(parts[0]);
  for (const auto& [named, color] : kNamedColors) {
    if (named == name) return {std::string(color), {}};
  }
  NormalizedColor pattern{std::move(name), {}};
  if (parts.size() > 1) {
    if (const std::string second = TrimUpper(parts[1]); !second.empty()) {
      pattern.pattern_color = NormalizeColor(second).color;
    }
  }
  return pattern;
}

}  // namespace pagora

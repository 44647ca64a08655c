#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pagora {

// One font of the document, written once as a font resource object.
struct FontRecord {
  // Lookup key: the resource name upper-cased, with "MAC" in front for Mac Roman encoding.
  std::string key;
  // The name of its font resource, after "/" in the resource list and in Tf: the request's
  // resource name ("Arial,Bold", "MACArial,Bold"), unless another record already has it.
  std::string resource_name;
  // False for a standard font, true for a TrueType font.
  bool true_type = false;
  // The font's name with its style suffix ("Arial,Bold"): the /BaseFont.
  std::string name;
  // Advance width of each code, in 1/1000 of the font size.
  std::array<std::uint16_t, 256> widths{};
  // Line height and descent (negative), in 1/1000 of the font size.
  std::int16_t height = 0;
  std::int32_t descent = 0;
  // 1 for Mac Roman encoding, any other value for WinAnsi.
  std::int32_t encoding = 0;
};

// Text-state values that the page's text operators and the measurements use. Every page
// starts with these defaults.
struct TextState {
  float char_spacing = 0;          // points (Tc)
  float word_spacing = 0;          // points (Tw)
  float horizontal_scaling = 100;  // per cent (Tz)
  float line_spacing = 1;          // multiplier of the line height
};

// The document's fonts and the current font and text state.
struct FontState {
  // Records indexed from 1: record i is fonts[i - 1]. Never shrinks during a document.
  std::vector<FontRecord> fonts;
  // The family text last given to SetFont, as given, and its style bits.
  std::string requested_name;
  int style = 0;
  // Points; SetFont turns 0 into 10.
  float size = 0;
  // Resource name of the current font ("Arial,Bold", "MACArial,Bold"); index 0 for none.
  std::string current_name;
  int current_index = 0;
  TextState text;

  const FontRecord* Current() const {
    return current_index > 0 ? &fonts[static_cast<std::size_t>(current_index) - 1] : nullptr;
  }
};

}  // namespace pagora

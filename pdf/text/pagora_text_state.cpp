// Text measurement and the text-state operators.
#include <cstdint>
#include <string>

#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/text/text_measure.h"

namespace pagora {

float Pagora::TextLength(const std::string& phrase) const {
  return CurrentTextMeasure(fonts_, page_.unit_factor).Length(phrase);
}

float Pagora::TextHeight() const {
  const FontRecord* font = fonts_.Current();
  if (font == nullptr) return 0;
  return ToUserUnits(static_cast<float>(static_cast<double>(font->height) * fonts_.size / 1000));
}

void Pagora::SetCharSpacing(float points) {
  AppendContent(FormatNumber(points) + " Tc");
  fonts_.text.char_spacing = points;
}

void Pagora::SetWordSpacing(float points) {
  AppendContent(FormatNumber(points) + " Tw");
  fonts_.text.word_spacing = points;
}

void Pagora::SetTextHorizontalScaling(float percent) {
  AppendContent(FormatNumber(percent) + " Tz");
  fonts_.text.horizontal_scaling = percent;
}

void Pagora::SetTextMode(int mode) {
  if (mode < INT16_MIN || mode > INT16_MAX) throw RuntimeError(kOverflow);
  AppendContent(std::to_string(mode) + " Tr");
}

void Pagora::SetTextLineSpacing(float factor) {
  if (factor >= 0) fonts_.text.line_spacing = factor;
}

}  // namespace pagora

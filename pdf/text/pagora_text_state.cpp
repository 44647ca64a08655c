// Text measurement and the text-state operators.
#include <cstdint>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"
#include "pdf/text/text_measure.h"
#include "pdf/text/text_output.h"

namespace pagora {

float Pagora::TextLength(const std::string& phrase) const try {
  return CurrentTextMeasure(doc_->fonts, doc_->page.unit_factor).Length(phrase);
} catch (...) {
  RethrowAsRuntimeError();
}

float TextHeight(const Document& doc) {
  const FontRecord* font = doc.fonts.Current();
  if (font == nullptr) return 0;
  return ToUserUnits(doc,
                     static_cast<float>(static_cast<double>(font->height) * doc.fonts.size / 1000));
}

float TextDescent(const Document& doc) {
  const FontRecord* font = doc.fonts.Current();
  return font != nullptr ? doc.fonts.size * static_cast<float>(font->descent) / 1000 : 0;
}

float Pagora::TextHeight() const try { return pagora::TextHeight(*doc_); } catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetCharSpacing(float points) try {
  AppendContent(*doc_, FormatNumber(points) + " Tc");
  doc_->fonts.text.char_spacing = points;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetWordSpacing(float points) try {
  AppendContent(*doc_, FormatNumber(points) + " Tw");
  doc_->fonts.text.word_spacing = points;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetTextHorizontalScaling(float percent) try {
  AppendContent(*doc_, FormatNumber(percent) + " Tz");
  doc_->fonts.text.horizontal_scaling = percent;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetTextMode(int mode) try {
  if (mode < INT16_MIN || mode > INT16_MAX) throw RuntimeError(kOverflow);
  AppendContent(*doc_, std::to_string(mode) + " Tr");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetTextLineSpacing(float factor) try {
  if (factor >= 0) doc_->fonts.text.line_spacing = factor;
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

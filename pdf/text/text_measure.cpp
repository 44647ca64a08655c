// Text advance from a font's width table.
#include "pdf/text/text_measure.h"

#include <cmath>

#include "pdf/core/number_format.h"
#include "pdf/core/runtime_error.h"

namespace pagora {

float TextMeasure::Length(std::string_view text) const {
  if (widths == nullptr) return 0;
  std::uint64_t width_sum = 0;
  std::uint64_t spaces = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    width_sum += (*widths)[byte];
    spaces += byte == ' ';
  }
  if (unit_factor == 0) throw RuntimeError(kDivisionByZero);
  const double points = (static_cast<double>(width_sum) * size / 1000 +
                         static_cast<double>(spaces) * state.word_spacing +
                         static_cast<double>(text.size()) * state.char_spacing) *
                        (double{state.horizontal_scaling} / 100);
  return CheckedFloat(points / unit_factor);
}

}  // namespace pagora

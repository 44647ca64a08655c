// Transformations of the coordinate axes: each concatenates one matrix with "cm".
#include <cmath>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"

namespace pagora {
namespace {

std::string Matrix(float a, float b, float c, float d, const std::string& e, const std::string& f) {
  return FormatNumber(a) + " " + FormatNumber(b) + " " + FormatNumber(c) + " " + FormatNumber(d) +
         " " + e + " " + f + " cm";
}

// tan of an angle in degrees; an odd multiple of 90 has none.
float Tangent(float degrees) {
  if (std::fabs(std::remainder(static_cast<double>(degrees), 180.0)) == 90.0) {
    throw RuntimeError(kOverflow);
  }
  return static_cast<float>(std::tan(degrees * kRadiansPerDegree));
}

}  // namespace

void Pagora::AxisRotation(float angle) try {
  // Whole turns (after rounding to a degree) change nothing and write nothing.
  if (std::fmod(std::nearbyint(static_cast<double>(angle)), 360.0) == 0) return;
  const double theta = angle * kRadiansPerDegree;
  const auto cosine = static_cast<float>(std::cos(theta));
  const auto sine = static_cast<float>(std::sin(theta));
  AppendContent(*doc_, Matrix(cosine, -sine, sine, cosine, "0", "0"));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::AxisScaling(float scale_x, float scale_y) try {
  AppendContent(*doc_, Matrix(scale_x, 0, 0, scale_y, "0", "0"));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::AxisSkewing(float angle_x, float angle_y) try {
  AppendContent(*doc_, Matrix(1, Tangent(angle_x), Tangent(angle_y), 1, "0", "0"));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::AxisTranslation(float translate_x, float translate_y) try {
  AppendContent(*doc_, Matrix(1, 0, 0, 1, FormatLength(translate_x, doc_->page.unit_factor),
                              FormatLength(translate_y, doc_->page.unit_factor)));
  doc_->page.x = 0;
  doc_->page.y = 0;
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

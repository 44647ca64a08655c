// Pages, paper sizes, units, margins and the current position.
#include <cmath>
#include <string>

#include "pdf/core/page_geometry.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"

namespace pagora {
namespace {

// A single-precision result, or RuntimeError 6 when it does not fit.
float CheckedFloat(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 3.4028234663852886e38) {
    throw RuntimeError(kOverflow);
  }
  return static_cast<float>(value);
}

}  // namespace

int Pagora::BeginPage() {
  EndPage();
  if (page_.count == INT32_MAX) throw RuntimeError(kOverflow);
  ++page_.count;
  if (static_cast<std::size_t>(page_.count) >= page_.object_numbers.size()) {
    const int size = page_.object_numbers.empty() ? InitialTableSize(memory_factor_) : 0;
    const int grown = GrownTableSize(page_.count, memory_factor_);
    page_.object_numbers.resize(static_cast<std::size_t>(std::max(size, grown)) + 1);
  }
  page_.annotations.clear();
  content_.page.Reset();
  content_.page_open = true;
  SetColorFill("Black");
  SetColorLine("Black");
  SetColorText("Black");
  page_.rotation = page_.default_rotation;
  page_.transition = page_.default_transition;
  page_.x = 0;
  page_.y = 0;
  return page_.count;
}

void Pagora::EndPage() {
  if (!content_.page_open) return;
  content_.page_open = false;

  const int page_object = StartObject();
  page_.object_numbers[static_cast<std::size_t>(page_.count)] = page_object;
  WriteLine(BuildPageDictionary(page_, page_object));
  FinishObject();
  page_.kids += std::to_string(page_object) + " 0 R ";

  StartObject();
  WriteLine("<<");
  std::string data = BuildContentPrefix(page_);
  data += content_.page.Text();
  WriteStream(data, 0, "", 0);
  FinishObject();

  if (!page_.annotations.empty()) {
    StartObject();
    WriteLine("[ " + page_.annotations + " ]");
    FinishObject();
  }
}

void Pagora::SetPaperSize(int code, float width, float height) {
  if (code == 255) {
    page_.width = CheckedFloat(double{width} * page_.unit_factor);
    page_.height = CheckedFloat(double{height} * page_.unit_factor);
  } else if (const auto size = StandardPaperSize(code)) {
    page_.width = size->width;
    page_.height = size->height;
  }
}

void Pagora::SetScale(int code, float factor) {
  if (code == 255) {
    page_.unit_factor = factor;
  } else if (const auto standard = StandardUnitFactor(code)) {
    page_.unit_factor = *standard;
  }
}

void Pagora::SetMargins(float left, float right, float top, float bottom, bool clip) {
  page_.margin_left = ToPoints(left);
  page_.margin_right = ToPoints(right);
  page_.margin_top = ToPoints(top);
  page_.margin_bottom = ToPoints(bottom);
  page_.clip_to_margins = clip;
}

void Pagora::SetPageView(int rotation) {
  if (content_.page_open) {
    page_.rotation = rotation;
  } else {
    page_.default_rotation = rotation;
  }
}

float Pagora::GetPageWidth(bool inside_margins) const {
  const double margins = inside_margins ? double{page_.margin_left} + page_.margin_right : 0;
  return ToUserUnits(CheckedFloat(page_.width - margins));
}

float Pagora::GetPageHeight(bool inside_margins) const {
  const double margins = inside_margins ? double{page_.margin_top} + page_.margin_bottom : 0;
  return ToUserUnits(CheckedFloat(page_.height - margins));
}

void Pagora::SetXY(float x, float y) {
  page_.x = ToPoints(x);
  page_.y = ToPoints(y);
}

float Pagora::GetX() const { return ToUserUnits(page_.x); }

float Pagora::GetY() const { return ToUserUnits(page_.y); }

float Pagora::ToPoints(float user_length) const {
  return CheckedFloat(double{user_length} * page_.unit_factor);
}

float Pagora::ToUserUnits(float points) const {
  if (page_.unit_factor == 0) throw RuntimeError(kDivisionByZero);
  return CheckedFloat(double{points} / page_.unit_factor);
}

}  // namespace pagora

// Pages, paper sizes, units, margins and the current position.
#include <cmath>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/page_geometry.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/graphics/form_objects.h"

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
  if (doc_->page.count == INT32_MAX) throw RuntimeError(kOverflow);
  ++doc_->page.count;
  GrowIndexedTable(doc_->page.object_numbers, doc_->page.count, doc_->memory_factor);
  doc_->page.annotations.clear();
  doc_->content.page.Reset();
  doc_->content.page_open = true;
  SetColorFill("Black");
  SetColorLine("Black");
  SetColorText("Black");
  PlayTemplates(*doc_, /*at_end=*/false);
  doc_->page.rotation = doc_->page.default_rotation;
  doc_->page.transition = doc_->page.default_transition;
  doc_->fonts.text = TextState{};
  doc_->page.x = 0;
  doc_->page.y = 0;
  return doc_->page.count;
}

void Pagora::EndPage() {
  if (!doc_->content.page_open) return;
  PlayTemplates(*doc_, /*at_end=*/true);
  doc_->content.page_open = false;

  PdfObjectWriter& writer = doc_->writer;
  const int page_object = writer.Reserve();
  PageReferences references;
  references.contents = writer.Reserve();
  if (!doc_->page.annotations.empty()) references.annotations = writer.Reserve();
  doc_->page.object_numbers[static_cast<std::size_t>(doc_->page.count)] = page_object;
  StartObject(*doc_, page_object);
  WriteLine(*doc_, BuildPageDictionary(doc_->page, references));
  FinishObject(*doc_);
  doc_->page.kids += std::to_string(page_object) + " 0 R ";

  StartObject(*doc_, references.contents);
  WriteLine(*doc_, "<<");
  std::string data = BuildContentPrefix(doc_->page);
  data += doc_->content.page.Text();
  WriteStream(*doc_, data, 0, "", 0);
  FinishObject(*doc_);

  if (references.annotations) {
    StartObject(*doc_, *references.annotations);
    WriteLine(*doc_, "[ " + doc_->page.annotations + " ]");
    FinishObject(*doc_);
  }
}

void Pagora::SetPaperSize(int code, float width, float height) {
  if (code == 255) {
    doc_->page.width = CheckedFloat(double{width} * doc_->page.unit_factor);
    doc_->page.height = CheckedFloat(double{height} * doc_->page.unit_factor);
  } else if (const auto size = StandardPaperSize(code)) {
    doc_->page.width = size->width;
    doc_->page.height = size->height;
  }
}

void Pagora::SetScale(int code, float factor) {
  if (code == 255) {
    doc_->page.unit_factor = factor;
  } else if (const auto standard = StandardUnitFactor(code)) {
    doc_->page.unit_factor = *standard;
  }
}

void Pagora::SetMargins(float left, float right, float top, float bottom, bool clip) {
  doc_->page.margin_left = ToPoints(*doc_, left);
  doc_->page.margin_right = ToPoints(*doc_, right);
  doc_->page.margin_top = ToPoints(*doc_, top);
  doc_->page.margin_bottom = ToPoints(*doc_, bottom);
  doc_->page.clip_to_margins = clip;
}

void Pagora::SetPageView(int rotation) {
  if (doc_->content.page_open) {
    doc_->page.rotation = rotation;
  } else {
    doc_->page.default_rotation = rotation;
  }
}

float Pagora::GetPageWidth(bool inside_margins) const {
  const double margins =
      inside_margins ? double{doc_->page.margin_left} + doc_->page.margin_right : 0;
  return ToUserUnits(*doc_, CheckedFloat(doc_->page.width - margins));
}

float Pagora::GetPageHeight(bool inside_margins) const {
  const double margins =
      inside_margins ? double{doc_->page.margin_top} + doc_->page.margin_bottom : 0;
  return ToUserUnits(*doc_, CheckedFloat(doc_->page.height - margins));
}

void Pagora::SetXY(float x, float y) {
  doc_->page.x = ToPoints(*doc_, x);
  doc_->page.y = ToPoints(*doc_, y);
}

float Pagora::GetX() const {
  return ToUserUnits(*doc_, doc_->page.x);
}

float Pagora::GetY() const {
  return ToUserUnits(*doc_, doc_->page.y);
}

float ToPoints(const Document& doc, float user_length) {
  return CheckedFloat(double{user_length} * doc.page.unit_factor);
}

float ToUserUnits(const Document& doc, float points) {
  if (doc.page.unit_factor == 0) throw RuntimeError(kDivisionByZero);
  return CheckedFloat(double{points} / doc.page.unit_factor);
}

}  // namespace pagora

namespace pagora {

int Pagora::GetPage() const {
  return doc_->page.count;
}

}  // namespace pagora

// Pages, paper sizes, units, margins and the current position.
#include <cmath>
#include <string>
#include <vector>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/page_geometry.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"
#include "pdf/graphics/form_objects.h"
#include "pdf/interactive/form_writer.h"

namespace pagora {
int Pagora::BeginPage() try {
  EndPage();
  if (doc_->page.count == INT32_MAX) throw RuntimeError(kOverflow);
  ++doc_->page.count;
  GrowIndexedTable(doc_->page.object_numbers, doc_->page.count, doc_->memory_factor);
  doc_->page.annotations.clear();
  doc_->forms.page_fields.clear();
  doc_->forms.scripts[kScriptPageOpen].clear();
  doc_->forms.scripts[kScriptPageClose].clear();
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
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndPage() try {
  if (!doc_->content.page_open) return;
  PlayTemplates(*doc_, /*at_end=*/true);
  doc_->content.page_open = false;

  PdfObjectWriter& writer = doc_->writer;
  PageReferences references;
  WritePageScripts(*doc_, references);
  const std::vector<int> fields = ReserveFieldObjects(*doc_);
  // An annotation may have named the page already.
  const int page_object =
      doc_->page.reserved_object ? *doc_->page.reserved_object : writer.Reserve();
  doc_->page.reserved_object.reset();
  references.contents = writer.Reserve();
  if (!doc_->page.annotations.empty()) references.annotations = writer.Reserve();
  doc_->page.object_numbers[static_cast<std::size_t>(doc_->page.count)] = page_object;
  WriteFieldObjects(*doc_, fields, page_object);
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
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetPaperSize(int code, float width, float height) try {
  if (code == 255) {
    doc_->page.width = CheckedFloat(double{width} * doc_->page.unit_factor);
    doc_->page.height = CheckedFloat(double{height} * doc_->page.unit_factor);
  } else if (const auto size = StandardPaperSize(code)) {
    doc_->page.width = size->width;
    doc_->page.height = size->height;
  }
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetScale(int code, float factor) try {
  if (code == 255) {
    doc_->page.unit_factor = factor;
  } else if (const auto standard = StandardUnitFactor(code)) {
    doc_->page.unit_factor = *standard;
  }
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetMargins(float left, float right, float top, float bottom, bool clip) try {
  doc_->page.margin_left = ToPoints(*doc_, left);
  doc_->page.margin_right = ToPoints(*doc_, right);
  doc_->page.margin_top = ToPoints(*doc_, top);
  doc_->page.margin_bottom = ToPoints(*doc_, bottom);
  doc_->page.clip_to_margins = clip;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetPageView(int rotation) try {
  if (doc_->content.page_open) {
    doc_->page.rotation = rotation;
  } else {
    doc_->page.default_rotation = rotation;
  }
} catch (...) {
  RethrowAsRuntimeError();
}

float Pagora::GetPageWidth(bool inside_margins) const try {
  const double margins =
      inside_margins ? double{doc_->page.margin_left} + doc_->page.margin_right : 0;
  return ToUserUnits(*doc_, CheckedFloat(doc_->page.width - margins));
} catch (...) {
  RethrowAsRuntimeError();
}

float Pagora::GetPageHeight(bool inside_margins) const try {
  const double margins =
      inside_margins ? double{doc_->page.margin_top} + doc_->page.margin_bottom : 0;
  return ToUserUnits(*doc_, CheckedFloat(doc_->page.height - margins));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetXY(float x, float y) try {
  doc_->page.x = ToPoints(*doc_, x);
  doc_->page.y = ToPoints(*doc_, y);
} catch (...) {
  RethrowAsRuntimeError();
}

float Pagora::GetX() const try { return ToUserUnits(*doc_, doc_->page.x); } catch (...) {
  RethrowAsRuntimeError();
}

float Pagora::GetY() const try { return ToUserUnits(*doc_, doc_->page.y); } catch (...) {
  RethrowAsRuntimeError();
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

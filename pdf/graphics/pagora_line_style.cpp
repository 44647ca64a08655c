// Dash pattern, caps and joins, line width and transparency.
#include <algorithm>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/drawing.h"

namespace pagora {
namespace {

// The lengths of a named dash pattern, in user units; empty for an unknown name.
std::vector<float> NamedDash(const std::string& name) {
  if (name == "DASH") return {0.1f};
  if (name == "DOT") return {0.05f};
  if (name == "DASHDOT") return {0.1f, 0.05f, 0.05f, 0.05f};
  if (name == "DASHDOTDOT") return {0.1f, 0.05f, 0.05f, 0.05f, 0.05f, 0.05f};
  return {};
}

}  // namespace

void Pagora::SetDash(const std::string& pattern, float phase) try {
  const std::string name = TrimUpper(pattern);
  std::string body;
  if (name.empty() || name == "SOLID") {
    phase = 0;
  } else if (const std::vector<float> named = NamedDash(name); !named.empty()) {
    for (const float length : named) body += FormatLength(length, doc_->page.unit_factor) + " ";
  } else {
    for (const std::string& part : SplitText(name, ";")) {
      body += " " + FormatLength(static_cast<float>(LeadingNumber(part)), doc_->page.unit_factor);
    }
  }
  AppendContent(*doc_, "[" + body + " ] " + FormatLength(phase, doc_->page.unit_factor) + " d");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetLineStyle(int style, float miter_limit) try {
  // Bits 0x60 together, or join bits 6 and 7, would name a cap or join beyond round and
  // square (2), which the format does not have; they are read as 2.
  const int cap = std::min((style & 0x70) / 32, 2);
  const int join = std::min((style & 7) / 2, 2);
  AppendContent(*doc_, " " + std::to_string(cap) + " J");
  AppendContent(*doc_, " " + std::to_string(join) + " j");
  if (miter_limit >= 1) AppendContent(*doc_, FormatNumber(miter_limit) + " M");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetLineWidth(float width) try {
  if (width < 0) return;
  const std::string text = FormatLength(width, doc_->page.unit_factor);
  doc_->graphics.line_width = width * doc_->page.unit_factor;
  AppendContent(*doc_, text + " w");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetAlpha(int percent) try {
  const std::string opacity = percent < 0     ? "0"
                              : percent > 100 ? "1"
                                              : FormatNumber(static_cast<float>(percent / 100.0));
  const int n = ++doc_->graphics.ext_gstate_count;
  const int object = StartObject(*doc_);
  WriteLine(*doc_, "<</Type /ExtGState /ca " + opacity + " /CA " + opacity + " /BM /Normal >>");
  FinishObject(*doc_);
  RequireVersion(*doc_, 1);
  doc_->resources.ext_gstates +=
      "/GSTATE_" + std::to_string(n) + " " + std::to_string(object) + " 0 R ";
  AppendContent(*doc_, "/GSTATE_" + std::to_string(n) + " gs");
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

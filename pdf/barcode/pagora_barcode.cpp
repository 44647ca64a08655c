// DrawBarCode: a symbol's bars as filled rectangles, and its human-readable line.
#include <string>
#include <vector>

#include "pdf/barcode/barcode_layout.h"
#include "pdf/barcode/barcode_symbol.h"
#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"
#include "pdf/graphics/drawing_state.h"

namespace pagora {
namespace {

constexpr const char* kOperation = "DrawBarCode";

// Every bar's content line, formatted before any is written: a coordinate that cannot be
// written stops the symbol while the page still holds none of it.
std::vector<std::string> BarLines(const Document& doc, const BarcodeLayout& layout) {
  std::vector<std::string> lines;
  lines.reserve(layout.rectangles.size());
  for (const BarcodeRectangle& r : layout.rectangles) {
    lines.push_back(PathPoint(doc, r.x, r.y) + " " + PathPoint(doc, r.width, r.height) + " re f*");
  }
  return lines;
}

}  // namespace

void Pagora::DrawBarCode(int symbology, std::string text, float x, float y, bool show_text,
                         float magnification, float height, bool check_character,
                         float& width) try {
  Document& doc = *doc_;
  width = 0;
  const std::optional<BarcodeSymbology> kind = BarcodeSymbologyFromCode(symbology);
  if (!kind) return;
  const BarcodeSymbol symbol = EncodeBarcode(*kind, text, check_character);
  if (symbol.status == BarcodeStatus::kUnencodableCharacter) {
    RecordError(doc, kOperation, "", RuntimeError(kInvalidCall));
    return;
  }
  if (!HasBars(symbol.status)) return;
  bool state_pushed = false;
  try {
    if (doc.page.unit_factor == 0) throw RuntimeError(kDivisionByZero);
    const BarcodeLayout layout =
        LayoutBarcode(symbol, {x, y, magnification, height, show_text, doc.page.unit_factor});
    const std::vector<std::string> bars = BarLines(doc, layout);
    // The text selects its own font; whatever the caller had comes back afterwards.
    if (show_text) {
      PushDrawingState(doc);
      state_pushed = true;
    }
    for (const std::string& line : bars) AppendContent(doc, line);
    width = layout.width;
    if (show_text) {
      SetFont("CourierNew", layout.font_size, 0, 0);
      for (const BarcodeText& t : layout.texts) DrawText(t.x, t.y, t.text, t.alignment);
      state_pushed = false;
      PopDrawingState(*this, doc);
    }
  } catch (const RuntimeError& e) {
    // Keep the stack balanced; the first failure is the one worth reporting.
    if (state_pushed) {
      try {
        PopDrawingState(*this, doc);
      } catch (const RuntimeError&) {
      }
    }
    RecordError(doc, kOperation, "", e);
    return;
  }
  if (symbol.status == BarcodeStatus::kNonDigitReadAsZero) {
    RecordError(doc, kOperation, "", RuntimeError(kTypeMismatch));
  }
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora

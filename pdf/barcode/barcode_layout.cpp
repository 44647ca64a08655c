#include "pdf/barcode/barcode_layout.h"

namespace pagora {
namespace {

constexpr float kTextHeight = 4.68f;
constexpr float kFontSize = 10.08f;  // points, never divided by the unit factor

float ClampMagnification(float magnification) {
  if (!(magnification >= 0.8f)) return 0.8f;
  return magnification > 2.0f ? 2.0f : magnification;
}

// The sizes of one symbol, computed in single precision in the order the drawing code has
// always used, so that coordinates come out to the same digits.
class Geometry {
 public:
  Geometry(const BarcodePlacement& placement, float module_size)
      : placement_(placement),
        magnification_(ClampMagnification(placement.magnification)),
        module_(Scaled(module_size)),
        text_height_(placement.show_text ? Scaled(kTextHeight) : 0) {}

  float Scaled(float size) const { return size * magnification_ / placement_.unit_factor; }
  float Module() const { return module_; }
  float TextHeight() const { return text_height_; }
  float FontSize() const { return kFontSize * magnification_; }

  // An explicit height is bars plus text; bars never vanish, they keep one module.
  float BarHeight(float default_size) const {
    float height = placement_.height != 0 ? placement_.height - text_height_ : Scaled(default_size);
    if (!(height > 0)) height = module_;
    return height;
  }

 private:
  const BarcodePlacement& placement_;
  float magnification_;
  float module_;
  float text_height_;
};

bool IsDark(BarKind kind) {
  return kind != BarKind::kSpace;
}

// The text line under a symbol whose box ends at `right`; EAN groups sit at module
// offsets from `first_module` instead.
void PlaceTexts(const BarcodeSymbol& symbol, const BarcodePlacement& placement, float first_module,
                float module, float right, float baseline, BarcodeLayout& layout) {
  if (!placement.show_text) return;
  for (const HumanReadableGroup& group : symbol.text_groups) {
    const float x = group.module_offset ? first_module + *group.module_offset * module
                                        : (placement.x + right) / 2;
    layout.texts.push_back({x, baseline, group.text, group.alignment});
  }
}

void LayoutEan(const BarcodeSymbol& symbol, const BarcodePlacement& placement,
               BarcodeLayout& layout) {
  const Geometry geometry(placement, 0.936f);
  const float x = geometry.Module();
  const float t = geometry.TextHeight();
  const float h = geometry.BarHeight(symbol.symbology == BarcodeSymbology::kEan13 ? 64.8f : 48.96f);
  const float x0 = placement.x + 11 * x;
  int module = 0;
  for (const BarElement& element : symbol.elements) {
    for (int i = 0; i < element.modules; ++i, ++module) {
      if (!IsDark(element.kind)) continue;
      const float height = element.kind == BarKind::kGuardBar ? h + t : h;
      layout.rectangles.push_back({x0 + module * x, placement.y, x, height});
    }
  }
  layout.width = 11 * x + module * x + 7 * x;
  PlaceTexts(symbol, placement, x0, x, placement.x + layout.width, placement.y + h + 1.6f * t,
             layout);
}

// Code 128 draws module by module: a run of dark modules is that many rectangles.
void LayoutCode128(const BarcodeSymbol& symbol, const BarcodePlacement& placement,
                   BarcodeLayout& layout) {
  const Geometry geometry(placement, 0.72f);
  const float x = geometry.Module();
  const float h = geometry.BarHeight(14.4f);
  float position = placement.x + 10 * x;
  for (const BarElement& element : symbol.elements) {
    for (int i = 0; i < element.modules; ++i) {
      if (IsDark(element.kind)) layout.rectangles.push_back({position, placement.y, x, h});
      position += x;
    }
  }
  const float right = position + 9 * x;
  layout.width = right - placement.x;
  PlaceTexts(symbol, placement, 0, x, right, placement.y + h + 1.6f * geometry.TextHeight(),
             layout);
}

// Code 39 bars fill 80 % of their element, left-aligned, so that ink spread on paper does
// not close the spaces.
void LayoutCode39(const BarcodeSymbol& symbol, const BarcodePlacement& placement,
                  BarcodeLayout& layout) {
  const Geometry geometry(placement, 0.72f);
  const float x = geometry.Module();
  const float h = geometry.BarHeight(14.4f);
  float position = placement.x + 10 * x;
  for (const BarElement& element : symbol.elements) {
    const float advance = element.modules == 3 ? 3 * x : x;
    if (IsDark(element.kind)) {
      layout.rectangles.push_back({position, placement.y, 0.8f * advance, h});
    }
    position += advance;
  }
  const float right = position + 9 * x;
  layout.width = right - placement.x;
  PlaceTexts(symbol, placement, 0, x, right, placement.y + h + 1.6f * geometry.TextHeight(),
             layout);
}

void LayoutInterleaved2Of5(const BarcodeSymbol& symbol, const BarcodePlacement& placement,
                           BarcodeLayout& layout) {
  const Geometry geometry(placement, 0.72f);
  const float x = geometry.Module();
  const float h = geometry.BarHeight(14.4f);
  float position = placement.x + 5 * x;
  for (const BarElement& element : symbol.elements) {
    const float width = element.modules == 3 ? 3 * x : x;
    if (IsDark(element.kind)) layout.rectangles.push_back({position, placement.y, width, h});
    position += width;
  }
  const float right = position + 5 * x;
  layout.width = right - placement.x;
  PlaceTexts(symbol, placement, 0, x, right, placement.y + h + 1.6f * geometry.TextHeight(),
             layout);
}

// Full and half bars share their bottom line.
void LayoutPostnet(const BarcodeSymbol& symbol, const BarcodePlacement& placement,
                   BarcodeLayout& layout) {
  const Geometry geometry(placement, 1.44f);
  const float x = geometry.Module();
  const float full = geometry.Scaled(9);
  const float half = geometry.Scaled(3.6f);
  const float pitch = geometry.Scaled(3.6f);
  float position = placement.x + 5 * x;
  for (const BarElement& element : symbol.elements) {
    if (element.kind == BarKind::kFullBar) {
      layout.rectangles.push_back({position, placement.y, x, full});
    } else {
      layout.rectangles.push_back({position, placement.y + full - half, x, half});
    }
    position += pitch;
  }
  const float right = position + 5 * x;
  layout.width = right - placement.x;
  PlaceTexts(symbol, placement, 0, x, right,
             placement.y + geometry.Scaled(14.4f) + geometry.TextHeight(), layout);
}

}  // namespace

BarcodeLayout LayoutBarcode(const BarcodeSymbol& symbol, const BarcodePlacement& placement) {
  BarcodeLayout layout;
  if (!HasBars(symbol.status)) return layout;
  switch (symbol.symbology) {
    case BarcodeSymbology::kEan13:
    case BarcodeSymbology::kEan8:
      LayoutEan(symbol, placement, layout);
      break;
    case BarcodeSymbology::kCode39:
      LayoutCode39(symbol, placement, layout);
      break;
    case BarcodeSymbology::kInterleaved2Of5:
      LayoutInterleaved2Of5(symbol, placement, layout);
      break;
    case BarcodeSymbology::kPostnet:
      LayoutPostnet(symbol, placement, layout);
      break;
    case BarcodeSymbology::kCode128:
      LayoutCode128(symbol, placement, layout);
      break;
  }
  if (placement.show_text) layout.font_size = Geometry(placement, 1).FontSize();
  return layout;
}

}  // namespace pagora

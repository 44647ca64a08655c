// Lines, rectangles, ellipses, arcs, curves, polygons and polylines.
#include <cmath>
#include <string>
#include <vector>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"
#include "pdf/graphics/path_style.h"

namespace pagora {
namespace {

// Distance of a quarter-ellipse's control points from its ends, per unit of radius.
constexpr double kEllipseKappa = 0.5522847498;
// The same for the rounded corners of rectangles.
constexpr float kCornerKappa = 0.55f;

}  // namespace

std::string PaintPath(int style) {
  static const char* const kLines[8] = {"S", "", "h S", "h", "B*", "f*", "b*", "f*"};
  return std::string((style & kPathClip) ? "W " : "") + kLines[style & 7];
}

std::string PathPoint(const Document& doc, double x, double y) {
  return FormatLength(static_cast<float>(x), doc.page.unit_factor) + " " +
         FormatLength(static_cast<float>(y), doc.page.unit_factor);
}

void SetPositionAndArea(Document& doc, float x, float y, float left, float top, float right,
                        float bottom) {
  doc.page.x = ToPoints(doc, x);
  doc.page.y = ToPoints(doc, y);
  doc.graphics.last_area = {ToPoints(doc, left), doc.page.height - ToPoints(doc, top),
                            ToPoints(doc, right), doc.page.height - ToPoints(doc, bottom)};
}

void Pagora::MoveTo(float x, float y) try {
  AppendContent(*doc_, PathPoint(*doc_, x, y) + " m");
  doc_->page.x = ToPoints(*doc_, x);
  doc_->page.y = ToPoints(*doc_, y);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawLine(float x1, float y1, float x2, float y2, int style) try {
  AppendContent(*doc_, PathPoint(*doc_, x1, y1) + " m " + PathPoint(*doc_, x2, y2) + " l");
  AppendContent(*doc_, PaintPath(style));
  SetPositionAndArea(*doc_, x2, y2, x1, y1, x2, y2);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawLineTo(float x, float y, int style) try {
  AppendContent(*doc_, PathPoint(*doc_, x, y) + " l");
  AppendContent(*doc_, PaintPath(style));
  doc_->page.x = ToPoints(*doc_, x);
  doc_->page.y = ToPoints(*doc_, y);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawRect(float x, float y, float width, float height, int style, float ray,
                      int rounded_corners) try {
  if (ray <= 0) {
    AppendContent(*doc_, PathPoint(*doc_, x, y) + " " + PathPoint(*doc_, width, height) + " re");
  } else {
    float r = ray;
    if (width / 2 < r) r = width / 2;
    if (height / 2 < r) r = height / 2;
    const float q = kCornerKappa * r;
    const float tl = (rounded_corners & 1) ? r : 0;
    const float tr = (rounded_corners & 2) ? r : 0;
    const float br = (rounded_corners & 4) ? r : 0;
    const float bl = (rounded_corners & 8) ? r : 0;
    const float right = x + width;
    const float bottom = y + height;
    const auto curve = [&](float x1, float y1, float x2, float y2, float x3, float y3) {
      return "\r" + PathPoint(*doc_, x1, y1) + " " + PathPoint(*doc_, x2, y2) + " " +
             PathPoint(*doc_, x3, y3) + " c";
    };
    std::string path =
        PathPoint(*doc_, x + tl, y) + " m\r" + PathPoint(*doc_, right - tr, y) + " l";
    if (tr > 0) path += curve(right - r + q, y, right, y + r - q, right, y + r);
    path += "\r" + PathPoint(*doc_, right, bottom - br) + " l";
    if (br > 0) path += curve(right, bottom - r + q, right - r + q, bottom, right - r, bottom);
    path += "\r" + PathPoint(*doc_, x + bl, bottom) + " l";
    if (bl > 0) path += curve(x + r - q, bottom, x, bottom - r + q, x, bottom - r);
    path += "\r" + PathPoint(*doc_, x, y + tl) + " l";
    if (tl > 0) path += curve(x, y + r - q, x + r - q, y, x + r, y);
    AppendContent(*doc_, path);
  }
  AppendContent(*doc_, PaintPath(style));
  SetPositionAndArea(*doc_, x, y, x, y, x + width, y + height);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawEllipse(float cx, float cy, float rx, float ry, int style) try {
  const double kx = kEllipseKappa * rx;
  const double ky = kEllipseKappa * ry;
  const auto curve = [&](double x1, double y1, double x2, double y2, double x3, double y3) {
    return PathPoint(*doc_, x1, y1) + " " + PathPoint(*doc_, x2, y2) + " " +
           PathPoint(*doc_, x3, y3) + " c";
  };
  AppendContent(*doc_, PathPoint(*doc_, cx + double{rx}, cy) + " m");
  AppendContent(*doc_,
                curve(cx + double{rx}, cy - ky, cx + kx, cy - double{ry}, cx, cy - double{ry}));
  AppendContent(*doc_,
                curve(cx - kx, cy - double{ry}, cx - double{rx}, cy - ky, cx - double{rx}, cy));
  AppendContent(*doc_,
                curve(cx - double{rx}, cy + ky, cx - kx, cy + double{ry}, cx, cy + double{ry}));
  AppendContent(*doc_,
                curve(cx + kx, cy + double{ry}, cx + double{rx}, cy + ky, cx + double{rx}, cy));
  AppendContent(*doc_, PaintPath(style));
  SetPositionAndArea(*doc_, cx, cy, cx - rx, cy - ry, cx + rx, cy + ry);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawCircle(float cx, float cy, float ray, int style) try {
  DrawEllipse(cx, cy, ray, ray, style);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawArc(float cx, float cy, float ray, float start_angle, float end_angle, float ratio,
                     bool pie, int quality, int style) try {
  // A step of 0 would never reach the end angle.
  if (quality == 0) throw RuntimeError(kInvalidCall);
  if (style & kPathFill) pie = true;
  const auto step = static_cast<float>(quality);
  const auto reached = [&](float a) { return step > 0 ? a <= end_angle : a >= end_angle; };
  AppendContent(*doc_, PathPoint(*doc_, cx, cy) + " m");
  bool first = true;
  for (float a = start_angle; reached(a); a += step) {
    const double t = a * kRadiansPerDegree;
    const std::string point =
        PathPoint(*doc_, cx + ray * std::cos(t), cy + double{ray} * ratio * std::sin(t));
    if (first && !pie) AppendContent(*doc_, point + " m");
    AppendContent(*doc_, point + " l");
    first = false;
    // Past 2^24 adding the step may leave the counter where it is.
    if (a + step == a) throw RuntimeError(kOverflow);
  }
  if (pie) AppendContent(*doc_, PathPoint(*doc_, cx, cy) + " l");
  AppendContent(*doc_, PaintPath(style));
  SetPositionAndArea(*doc_, cx, cy, cx - ray, cy - ray, cx + ray, cy + ray);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawCurve(int kind, float x1, float y1, float x2, float y2, float x3, float y3,
                       int style) try {
  switch (kind) {
    case 1:
      AppendContent(*doc_, PathPoint(*doc_, x1, y1) + " " + PathPoint(*doc_, x2, y2) + " " +
                               PathPoint(*doc_, x3, y3) + " c");
      doc_->page.x = ToPoints(*doc_, x3);
      doc_->page.y = ToPoints(*doc_, y3);
      break;
    case 2:
    case 3:
      AppendContent(*doc_, PathPoint(*doc_, x1, y1) + " " + PathPoint(*doc_, x2, y2) +
                               (kind == 2 ? " v" : " y"));
      doc_->page.x = ToPoints(*doc_, x2);
      doc_->page.y = ToPoints(*doc_, y2);
      break;
    default:
      break;
  }
  AppendContent(*doc_, PaintPath(style));
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawPolygon(float cx, float cy, float ray, int sides, int style) try {
  if (sides == 0) throw RuntimeError(kDivisionByZero);
  const float radius = std::fabs(ray);
  const float step = 360.0f / static_cast<float>(sides);
  const float sign = step < 0 ? -1.0f : 1.0f;
  std::string path = PathPoint(*doc_, cx + double{sign} * radius, cy) + " m";
  for (float a = step; std::fabs(a) < 360; a += step) {
    const double t = a * kRadiansPerDegree;
    path += "\r" +
            PathPoint(*doc_, cx + double{sign} * radius * std::cos(t), cy + radius * std::sin(t)) +
            " l";
  }
  AppendContent(*doc_, path);
  AppendContent(*doc_, PaintPath(style | kPathClose));
  SetPositionAndArea(*doc_, cx, cy, cx - radius, cy - radius, cx + radius, cy + radius);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DrawPolyline(const std::vector<float>& points, int style) try {
  // The path is built whole first, so that an unpaired value writes nothing.
  if (points.empty() || points.size() % 2 != 0) throw RuntimeError(kSubscriptOutOfRange);
  const float k = doc_->page.unit_factor;
  std::string path;
  float left = points[0] * k;
  float right = left;
  float low = doc_->page.height - points[1] * k;
  float high = low;
  for (std::size_t i = 0; i < points.size(); i += 2) {
    const float x = points[i] * k;
    const float y = points[i + 1] * k;
    path += FormatNumber(x) + " " + FormatNumber(y) + (i == 0 ? " m\r" : " l\r");
    left = std::min(left, x);
    right = std::max(right, x);
    low = std::min(low, doc_->page.height - y);
    high = std::max(high, doc_->page.height - y);
  }
  AppendContent(*doc_, path);
  AppendContent(*doc_, PaintPath(style));
  doc_->graphics.last_area = {left, low, right, high};
  const std::size_t at = (style & kPathClose) ? 0 : points.size() - 2;
  doc_->page.x = points[at] * k;
  doc_->page.y = points[at + 1] * k;
} catch (...) {
  RethrowAsRuntimeError();
}

const Area& Pagora::LastArea() const {
  return doc_->graphics.last_area;
}

}  // namespace pagora

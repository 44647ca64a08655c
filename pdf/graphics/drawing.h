#pragma once

// Helpers of the drawing operations over the document, shared with text and pictures.

#include <string>

#include "pdf/core/document.h"

namespace pagora {

// Angles are given in degrees.
inline constexpr double kRadiansPerDegree = 0.0174532925199433;

// Sets the fill colour (rg, cs, scn) or, with `stroke`, the line colour (RG, CS, SCN).
void SetPaintColor(Document& doc, const std::string& color, bool stroke);

// A point of user space as the operands "x y" of a path operator.
std::string PathPoint(const Document& doc, double x, double y);

// Moves the current position to (x, y) and records the box of two corners as LastArea,
// all in user units.
void SetPositionAndArea(Document& doc, float x, float y, float left, float top, float right,
                        float bottom);

}  // namespace pagora

#pragma once

// Exact texts of the reusable graphic objects: gradient and tiling patterns, form objects,
// and which page templates a page draws. Lengths are in points.

#include <string>
#include <string_view>

#include "pdf/core/pagora_codes.h"

namespace pagora {

// A gradient's geometry in pattern space.
struct GradientGeometry {
  bool radial = false;  // circles (ShadingType 3) instead of an axis (ShadingType 2)
  float x_start = 0;
  float y_start = 0;
  float x_end = 0;
  float y_end = 0;
  float r_start = 0;  // radii, radial only
  float r_end = 0;
  bool extend_before = false;
  bool extend_after = false;
};

// The shading pattern object, one line of CR-separated lines from "<</Type /Pattern" to the
// pattern's closing ">>": pattern matrix "1 0 0 -1 `matrix_e` `matrix_f`" (the top-down
// space the coordinates are given in), RGB shading with /Coords x0 y0 x1 y1 (axial) or
// x0 y0 r0 x1 y1 r1 (radial), and a stitching function around one exponential function
// from `start_operands` to `end_operands` (colour operands "r g b").
std::string BuildGradientPattern(float matrix_e, float matrix_f, const GradientGeometry& geometry,
                                 std::string_view start_operands, std::string_view end_operands);

// The tiling pattern's dictionary without its closing ">>" (the stream writer ends it):
// /PaintType 1 when `coloured`, else 2; the cell box, the steps, the resources of
// object 3 and an identity matrix.
std::string BuildTilingDictionary(float x_min, float y_min, float x_max, float y_max, float x_step,
                                  float y_step, bool coloured);

// The first content line of a tiling cell: flips the cell of height `cell_height` so that
// it is drawn top-down like a page.
std::string TilingCellPrefix(float cell_height);

// The form object's dictionary without its closing ">>": /Name /`name_token` and a box of
// twice the page on every side of the origin, so that anything drawn on the page shows.
std::string BuildFormObjectDictionary(std::string_view name_token, float page_width,
                                      float page_height);

// Whether a template with `flags` is drawn on page `page` (from 1) at the page's start
// (`at_end` false: under the content) or end (over it, bit 0x10).
bool TemplateSelected(int flags, int page, bool at_end);

}  // namespace pagora

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pdf/core/runtime_error.h"

namespace pagora {

// Why a vector picture (EPS, AI or WMF) was drawn only in part, or not at all.
enum class VectorPictureStatus {
  kOk,
  kNoBoundingBox,  // an EPS whose drawing begins with no readable "%%BoundingBox:" line
  kEmptyFrame,     // the picture's own width or height is zero, so it cannot be scaled
  kOverflow,       // the sizing gives a number too large to write
  kTruncated,      // a WMF ends inside its header or inside a record
  kBadRecord,      // a WMF record claims fewer words than its own 3-word header
};

// Where and how large a picture is drawn, as passed to DrawImage.
struct PicturePlacement {
  float x = 0;            // left edge, user units from the left page edge
  float y = 0;            // top edge, user units from the top page edge (content runs y-down)
  float width = 0;        // user units; 0 derives it from the picture's own size
  float height = 0;       // user units; 0 derives it from the picture's own size
  float unit_factor = 1;  // points per user unit
};

// A translated picture: the content lines to append, one AppendContent each, in order.
// Whatever the status, "q" and "Q" in `lines` are paired. With kNoBoundingBox,
// kEmptyFrame and kOverflow `lines` is empty; with kTruncated and kBadRecord it holds
// what the file drew before the damage.
struct VectorPicture {
  VectorPictureStatus status = VectorPictureStatus::kOk;
  std::vector<std::string> lines;
};

// Appends "sx 0 0 sy x y cm", which scales a picture of `box_width` × `box_height` of its
// own units to the placement's size and moves it to the placement's corner. Both sizes 0
// give box × 20 / (72 × k) user units; one size 0 keeps the box's aspect. The scales are
// written with FormatNumber, x and y with FormatLength. Appends nothing and returns
// kEmptyFrame when the box has no width or height, kOverflow when a number cannot be
// written.
VectorPictureStatus AppendPlacementMatrix(float box_width, float box_height,
                                          const PicturePlacement& placement,
                                          std::vector<std::string>& lines);

// The run-time error a status reports through DrawImage's error convention, or none.
std::optional<ErrorNumber> VectorPictureError(VectorPictureStatus status);

}  // namespace pagora

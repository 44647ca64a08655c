#include "pdf/image/vector_picture.h"

#include "pdf/core/number_format.h"

namespace pagora {

VectorPictureStatus AppendPlacementMatrix(float box_width, float box_height,
                                          const PicturePlacement& placement,
                                          std::vector<std::string>& lines) {
  if (box_width == 0 || box_height == 0) return VectorPictureStatus::kEmptyFrame;
  const float k = placement.unit_factor;
  float width = placement.width;
  float height = placement.height;
  if (width == 0 && height == 0) {
    width = box_width * 20 / (72 * k);
    height = box_height * 20 / (72 * k);
  } else if (width == 0) {
    width = box_width * height / box_height;
  } else if (height == 0) {
    height = box_height * width / box_width;
  }
  // The formatter refuses what it cannot write (infinities, NaN from k = 0, huge values).
  try {
    lines.push_back(FormatNumber(width * k / box_width) + " 0 0 " +
                    FormatNumber(height * k / box_height) + " " + FormatLength(placement.x, k) +
                    " " + FormatLength(placement.y, k) + " cm");
  } catch (const RuntimeError&) {
    return VectorPictureStatus::kOverflow;
  }
  return VectorPictureStatus::kOk;
}

std::optional<ErrorNumber> VectorPictureError(VectorPictureStatus status) {
  switch (status) {
    case VectorPictureStatus::kOk:
      return std::nullopt;
    case VectorPictureStatus::kEmptyFrame:
      return kDivisionByZero;
    case VectorPictureStatus::kOverflow:
      return kOverflow;
    case VectorPictureStatus::kTruncated:
      return kInputPastEnd;
    case VectorPictureStatus::kNoBoundingBox:
    case VectorPictureStatus::kBadRecord:
      return kInvalidFormat;
  }
  return kInvalidFormat;
}

}  // namespace pagora

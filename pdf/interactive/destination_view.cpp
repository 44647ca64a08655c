#include "pdf/interactive/destination_view.h"

#include <cmath>
#include <limits>

#include "pdf/core/number_format.h"
#include "pdf/core/pagora_codes.h"
#include "pdf/core/runtime_error.h"

namespace pagora {

float SinglePrecision(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) throw RuntimeError(kOverflow);
  return static_cast<float>(value);
}

std::string DestinationView(int type, const ViewBox& box) {
  switch (type) {
    case kDestinationFitPage:
      return "/FitB";
    case kDestinationFitHeight:
      return "/FitV " + FormatNumber(box.left);
    case kDestinationFitWidth:
      return "/FitH " + FormatNumber(box.top);
    case kDestinationFitRectangle:
      return "/FitR " + FormatNumber(box.left) + " " + FormatNumber(box.top) + " " +
             FormatNumber(SinglePrecision(double{box.left} + box.width)) + " " +
             FormatNumber(SinglePrecision(double{box.top} - box.height));
    case kDestinationXyz:
      return "/XYZ " + FormatNumber(box.left) + " " + FormatNumber(box.top) + " " +
             FormatNumber(SinglePrecision(double{box.zoom_percent} / 100));
    default:
      return {};
  }
}

}  // namespace pagora

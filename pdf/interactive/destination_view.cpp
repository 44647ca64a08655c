#include "pdf/interactive/destination_view.h"

#include <cmath>
#include <limits>

#include "pdf/core/number_format.h"
#include "pdf/core/pagora_codes.h"
#include "pdf/core/runtime_error.h"

namespace pagora {

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
             FormatNumber(CheckedFloat(double{box.left} + box.width)) + " " +
             FormatNumber(CheckedFloat(double{box.top} - box.height));
    case kDestinationXyz:
      return "/XYZ " + FormatNumber(box.left) + " " + FormatNumber(box.top) + " " +
             FormatNumber(CheckedFloat(double{box.zoom_percent} / 100));
    default:
      return {};
  }
}

}  // namespace pagora

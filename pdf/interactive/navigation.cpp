#include "pdf/interactive/navigation.h"

#include "pdf/core/number_format.h"
#include "pdf/text/font_table.h"

namespace pagora {

ViewBox UserViewBox(const Document& doc, float x, float y, float width, float height, float zoom) {
  ViewBox box;
  box.left = ToPoints(doc, x);
  box.top = CheckedFloat(double{doc.page.height} - ToPoints(doc, y));
  box.width = ToPoints(doc, width);
  box.height = ToPoints(doc, height);
  box.zoom_percent = zoom;
  return box;
}

Area UserAnnotationBox(const Document& doc, float x, float y, float width, float height) {
  Area box;
  box.left = ToPoints(doc, x);
  box.top = CheckedFloat(double{doc.page.height} - ToPoints(doc, y));
  box.right = CheckedFloat(double{box.left} + ToPoints(doc, width));
  box.bottom = CheckedFloat(double{box.top} - ToPoints(doc, height));
  return box;
}

std::string DestinationName(std::string_view prefix, std::string_view name) {
  return std::string(prefix) + PdfNameToken(name);
}

}  // namespace pagora

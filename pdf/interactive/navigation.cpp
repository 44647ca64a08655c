#include "pdf/interactive/navigation.h"

#include "pdf/text/font_table.h"

namespace pagora {

ViewBox UserViewBox(const Document& doc, float x, float y, float width, float height, float zoom) {
  ViewBox box;
  box.left = ToPoints(doc, x);
  box.top = SinglePrecision(double{doc.page.height} - ToPoints(doc, y));
  box.width = ToPoints(doc, width);
  box.height = ToPoints(doc, height);
  box.zoom_percent = zoom;
  return box;
}

std::string DestinationName(std::string_view prefix, std::string_view name) {
  return std::string(prefix) + PdfNameToken(name);
}

}  // namespace pagora

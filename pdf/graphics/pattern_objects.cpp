#include "pdf/graphics/pattern_objects.h"

#include <string>

#include "pdf/core/number_format.h"

namespace pagora {

std::string BuildGradientPattern(float matrix_e, float matrix_f, const GradientGeometry& g,
                                 std::string_view start_operands, std::string_view end_operands) {
  std::string text = "<</Type /Pattern /PatternType 2 /Matrix [ 1 0 0 -1 " +
                     FormatNumber(matrix_e) + " " + FormatNumber(matrix_f) +
                     "] /Shading <<\r\n/ColorSpace /DeviceRGB\r";
  if (g.radial) {
    text += "/ShadingType 3 /Coords [" + FormatNumber(g.x_start) + " " + FormatNumber(g.y_start) +
            " " + FormatNumber(g.r_start) + " " + FormatNumber(g.x_end) + " " +
            FormatNumber(g.y_end) + " " + FormatNumber(g.r_end) + "]";
  } else {
    text += "/ShadingType 2 /Coords [" + FormatNumber(g.x_start) + " " + FormatNumber(g.y_start) +
            " " + FormatNumber(g.x_end) + " " + FormatNumber(g.y_end) + "]";
  }
  text += "\r/Extend [";
  text += FormatBoolean(g.extend_before);
  text += " ";
  text += FormatBoolean(g.extend_after);
  text += "] \r/Function \r<< /FunctionType 3 /Domain [0.000 1.000] /Bounds [] /Encode [0 1 ] ";
  text += "\r/Functions [\r<< /FunctionType 2 /Domain [0.000 1.000] /C0 [";
  text += start_operands;
  text += "] /C1 [";
  text += end_operands;
  text += "] /N 1 >>]\r>>\r>>\r>>";
  return text;
}

std::string BuildTilingDictionary(float x_min, float y_min, float x_max, float y_max, float x_step,
                                  float y_step, bool coloured) {
  return std::string("<< /Type /Pattern /PatternType 1 /PaintType ") + (coloured ? "1" : "2") +
         "\r/TilingType 1\r/BBox [" + FormatNumber(x_min) + " " + FormatNumber(y_min) + " " +
         FormatNumber(x_max) + " " + FormatNumber(y_max) + "]\r/Resources 3 0 R\r/XStep " +
         FormatNumber(x_step) + " /YStep " + FormatNumber(y_step) + "\r/Matrix [1 0 0 1 0 0]";
}

std::string TilingCellPrefix(float cell_height) {
  return "1 0 0 -1 0 " + FormatNumber(cell_height) + " cm";
}

std::string BuildFormObjectDictionary(std::string_view name_token, float page_width,
                                      float page_height) {
  const float w = 2 * page_width;
  const float h = 2 * page_height;
  return "<< /Type /XObject /Subtype /Form /FormType 1 /Name /" + std::string(name_token) +
         "\r/BBox [" + FormatNumber(-w) + " " + FormatNumber(-h) + " " + FormatNumber(w) + " " +
         FormatNumber(h) + "]\r/Matrix [1 0 0 1 0 0]";
}

bool TemplateSelected(int flags, int page, bool at_end) {
  if (((flags & kTemplateOverContent) != 0) != at_end) return false;
  const bool every_page = (flags & kTemplateEveryPage) == kTemplateEveryPage;
  if (page == 1) {
    if (flags & kTemplateNotFirstPage) return false;
    return every_page || (flags & kTemplateFirstPage) || (flags & kTemplateOddPages);
  }
  const bool even = page % 2 == 0;
  return every_page || ((flags & kTemplateEvenPages) && even) ||
         ((flags & kTemplateOddPages) && !even);
}

}  // namespace pagora

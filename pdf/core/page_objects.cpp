#include <string>

#include "pdf/core/number_format.h"
#include "pdf/core/page_geometry.h"
#include "pdf/core/page_state.h"

namespace pagora {

std::string BuildContentPrefix(const PageState& page) {
  std::string prefix = "1 0 0 -1 " + FormatNumber(page.margin_left) + " " +
                       FormatNumber(page.height - page.margin_top) + " cm \r";
  if (page.clip_to_margins) {
    prefix += "0 0 " + FormatNumber(page.width - page.margin_right - page.margin_left) + " " +
              FormatNumber(page.height - page.margin_bottom - page.margin_top) + " re W n\r";
  }
  return prefix;
}

std::string BuildPageDictionary(const PageState& page, const PageReferences& references) {
  const auto& [contents, annotations, open_script, close_script] = references;
  const std::string width = FormatNumber(page.width);
  const std::string height = FormatNumber(page.height);
  const std::string box = "[0 0 " + width + " " + height + "]\r";

  std::string text =
      "<< /Type /Page /Parent 1 0 R /Contents " + std::to_string(contents) + " 0 R\r";
  if (const std::string_view rotate = RotationEntry(page.rotation); !rotate.empty()) {
    text += rotate;
    text += '\r';
  }
  text += "/MediaBox " + box + "/CropBox " + box + "/BleedBox " + box;
  if (annotations) text += "/Annots " + std::to_string(*annotations) + " 0 R";
  text += "/Resources 2 0 R";
  if (!page.transition.text.empty()) {
    text += "\r/Dur " + FormatNumber(page.transition.display_duration) + " /Trans " +
            page.transition.text;
  }
  if (open_script || close_script) {
    text += "\n/AA <<";
    if (open_script) {
      text +=
          " /O << /Type /Action /S /JavaScript /JS " + std::to_string(*open_script) + " 0 R >>\r";
    }
    if (close_script) {
      text +=
          " /C << /Type /Action /S /JavaScript /JS " + std::to_string(*close_script) + " 0 R >>\r";
    }
    text += ">> ";
  }
  text += ">>";
  return text;
}

}  // namespace pagora

#include "pdf/core/document_catalog.h"

#include <algorithm>
#include <string>

namespace pagora {
namespace {

std::string Reference(int object) {
  return std::to_string(object) + " 0 R";
}

}  // namespace

std::string BuildResourceDictionary(const ResourceLists& lists, bool with_patterns) {
  std::string text = "<<\r";
  if (!lists.fonts.empty()) text += "/Font <<\r" + lists.fonts + ">>\r";
  text += "/ProcSet [/PDF /Text";
  if (!lists.images.empty()) text += " /ImageB /ImageC /ImageI";
  text += " ]\r";
  if (!lists.layer_properties.empty()) text += "/Properties <<" + lists.layer_properties + ">>";
  text += "\r";
  if (!lists.images.empty() || !lists.form_objects.empty()) {
    text += "/XObject <<\r";
    if (!lists.images.empty()) text += lists.images + "\r";
    if (!lists.form_objects.empty()) text += lists.form_objects + "\r";
    text += ">>\r";
  }
  if (with_patterns && !lists.patterns.empty()) {
    text += "/ColorSpace << /xxCSxx [ /Pattern /DeviceRGB ] >> \r/Pattern <<\r" + lists.patterns +
            ">>\r";
  }
  if (!lists.ext_gstates.empty()) text += "/ExtGState << " + lists.ext_gstates + " >> \r";
  text += ">>";
  return text;
}

std::string BuildCatalog(const CatalogParts& parts, int* version_bump) {
  int bump = 0;
  std::string text = "<< /Type /Catalog\r/Pages 1 0 R";
  if (parts.outline_root) text += "\r/Outlines " + Reference(*parts.outline_root);
  if (!parts.page_labels.empty()) text += "\r/PageLabels << /Nums [ " + parts.page_labels + " ] >>";
  if (parts.metadata) text += "\r/Metadata " + Reference(*parts.metadata);
  if (parts.destinations) text += "\r/Dests " + Reference(*parts.destinations);
  if (!parts.acro_form.empty()) text += "\r/AcroForm " + parts.acro_form;
  if (parts.names) text += "\r/Names " + Reference(*parts.names);
  if (parts.open_script) {
    text += "\r/OpenAction << /S /JavaScript /JS " + Reference(*parts.open_script) + " >>\r";
  }
  if (!parts.document_actions.empty()) text += "\n\n/AA <<" + parts.document_actions + ">> ";
  if (!parts.optional_content.empty()) {
    text += "\n/OCProperties " + parts.optional_content;
    if (!parts.optional_content_order.empty()) {
      text += parts.encoded_title + parts.optional_content_order;
    }
  }

  const std::int32_t flags = parts.viewer_flags;
  switch (flags & ~std::int32_t{0xFFF}) {
    case kLayoutOneColumn:
      text += "\n/PageLayout /OneColumn";
      break;
    case kLayoutTwoColumnLeft:
      text += "\n/PageLayout /TwoColumnLeft";
      break;
    case kLayoutTwoColumnRight:
      text += "\n/PageLayout /TwoColumnRight";
      break;
    default:
      break;
  }
  switch (flags & 0xF) {
    case kPageModeFullScreen:
      text += "\n/PageMode /FullScreen";
      break;
    case kPageModeOutlines:
      if (parts.outline_entries >= 2) text += "\n/PageMode /UseOutlines";
      break;
    case kPageModeThumbnails:
      text += "\n/PageMode /UseThumbs";
      break;
    case kPageModeLayers:
      text += "\n/PageMode /UseOC";
      bump = 2;
      break;
    default:
      break;
  }
  text += "\n/ViewerPreferences << ";
  if (flags & kHideMenubar) text += "/HideMenubar true ";
  if (flags & kHideToolbar) text += "/HideToolbar true ";
  if (flags & kHideWindowUi) text += "/HideWindowUI true ";
  if (flags & kDisplayDocTitle) {
    text += "/DisplayDocTitle true ";
    bump = std::max(bump, 1);
  }
  if (flags & kCenterWindow) text += "/CenterWindow true ";
  if (flags & kFitWindow) text += "/FitWindow true ";
  text += " >>\n>>";
  *version_bump = bump;
  return text;
}

}  // namespace pagora

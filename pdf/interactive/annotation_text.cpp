#include "pdf/interactive/annotation_text.h"

#include <array>

#include "pdf/core/number_format.h"
#include "pdf/graphics/color.h"

namespace pagora {
namespace {}  // namespace

std::string RectangleText(const Area& area) {
  return FormatNumber(area.left) + " " + FormatNumber(area.top) + " " + FormatNumber(area.right) +
         " " + FormatNumber(area.bottom);
}

std::string LinkBorderText(int width, int highlight) {
  static constexpr std::array<std::string_view, 4> kHighlights{" /H /N", " /H /I", " /H /O",
                                                               " /H /P"};
  std::string text = width != 0 ? "/Border [ 0 0 " + std::to_string(width) + "]\r"
                                : std::string("/Border [ 0 0 0] ");
  if (highlight >= 0 && highlight < static_cast<int>(kHighlights.size())) {
    text += kHighlights[static_cast<std::size_t>(highlight)];
    text += '\r';
  }
  return text;
}

std::string NoteBoxDictionary(const NoteBoxStyle& style) {
  std::string text = "<< /Type /Annot /Subtype /FreeText\r/Rect [" + RectangleText(style.box) +
                     "]\r /F " + std::to_string(style.flags);
  if (style.alignment == 2) text += "\r/Q 2";
  if (style.alignment == 4) text += "\r/Q 1";
  if (IsSolidColor(style.fill_color)) text += "\r/C [" + FormatColor(style.fill_color) + "]";
  text += "\r/BS << /Type /Border /W " + FormatNumber(style.line_width);
  switch (style.border_style) {
    case 0:
      text += "/S /S";
      break;
    case 1:
      text += "/S /D /D [" + FormatNumber(style.dash) + " " + FormatNumber(style.gap) + "]";
      break;
    case 2:
      text += "/S /B";
      break;
    case 3:
      text += "/S /I";
      break;
    case 4:
      text += "/S /U";
      break;
    default:
      break;
  }
  text += ">>\r";
  return text;
}

std::string NoteBoxAppearance(std::string_view font_name, float font_size,
                              std::string_view text_color) {
  std::string text = "/";
  text += font_name;
  text += " " + FormatNumber(font_size) + " Tf";
  // Plain operands: "rg" takes three numbers, not an array.
  if (IsSolidColor(text_color)) text += " " + FormatColor(text_color) + " rg";
  return text;
}

std::string NoteIconDictionary(float x, float y, std::int32_t flags, std::string_view fill_color,
                               int icon, bool open) {
  static constexpr std::array<std::string_view, 7> kIcons{
      " /Name /Note",      " /Name /Comment",      " /Name /Key",   " /Name /Help",
      " /Name /Paragraph", " /Name /NewParagraph", " /Name /Insert"};
  const std::string point = FormatNumber(x) + " " + FormatNumber(y);
  std::string text = "<< /Type /Annot\r/Subtype /Text\r/Rect [" + point + " " + point + "]\r/F " +
                     std::to_string(flags);
  if (IsSolidColor(fill_color)) text += "\r/C [" + FormatColor(fill_color) + "]";
  text += "\r";
  if (icon >= 0 && icon < static_cast<int>(kIcons.size())) {
    text += kIcons[static_cast<std::size_t>(icon)];
  }
  text += "\r /Open ";
  text += FormatBoolean(open);
  text += " ";
  return text;
}

}  // namespace pagora

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/core/area.h"

namespace pagora {

// The four numbers of a /Rect: left, top, right, bottom, separated by single blanks.
std::string RectangleText(const Area& area);

// A link's border and highlight: "/Border [ 0 0 w]" and CR for a width w, "/Border [ 0 0 0] "
// for none; then, for highlight modes 0..3, " /H /N", " /H /I", " /H /O" or " /H /P" and CR.
std::string LinkBorderText(int width, int highlight);

// A free-text annotation's box in points of the PDF default space, and how it looks.
struct NoteBoxStyle {
  Area box;
  int alignment = 0;     // 2 right (/Q 2), 4 centred (/Q 1), anything else left
  int border_style = 0;  // 0 solid, 1 dashed, 2 beveled, 3 inset, 4 underline
  float dash = 0;        // dashed borders: dash and gap lengths, written as given
  float gap = 0;
  std::int32_t flags = 0;  // /F annotation flags
  std::string fill_color;  // canonical colour texts; only solid ones are written
  float line_width = 0;    // border width, points
};

// The dictionary of a free-text annotation up to, not including, its closing ">>":
// /Type, /Subtype /FreeText, /Rect, /F, /Q, the fill colour as /C and the /BS border.
std::string NoteBoxDictionary(const NoteBoxStyle& style);

// A free-text annotation's /DA: the font resource `font_name` (a name token without its
// "/") at `font_size` points, then the solid `text_color` as "r g b rg".
std::string NoteBoxAppearance(std::string_view font_name, float font_size,
                              std::string_view text_color);

// The dictionary of a text (sticky note) annotation at the point (x, y), up to its closing
// ">>": a /Rect of no size, /F, the fill colour as /C, the icon name for icons 0..6 and
// /Open.
std::string NoteIconDictionary(float x, float y, std::int32_t flags, std::string_view fill_color,
                               int icon, bool open);

}  // namespace pagora

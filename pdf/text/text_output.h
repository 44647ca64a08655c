#pragma once

// Helpers of the text operations over the document.

#include <string_view>

#include "pdf/core/document.h"
#include "pdf/text/font_table.h"

namespace pagora {

// The line height of the current font and size in user units; 0 with no font.
float TextHeight(const Document& doc);

// Appends `record` to the font table, growing it by the table rule; returns its index
// (from 1).
int AppendFontRecord(Document& doc, FontRecord record);

// The descent of the current font at its size, in points (negative: below the baseline);
// 0 with no font.
float TextDescent(const Document& doc);

// Writes the font object of `record` (with a TrueType font's descriptor and, when `program`
// is not empty, its font file) and lists it as `resource_name`; returns the font object's
// number.
int WriteFontResource(Document& doc, const FontRecord& record, std::string_view resource_name,
                      std::string_view program, std::string_view descriptor);

// Draws one line of text in the text colour, aligned in `width` (user units) by `align`,
// with the decorations of the font style; records LastArea and moves the current position
// past the line, or to the next line with `new_line`.
void EmitText(Document& doc, float x, float y, float width, std::string_view text,
              float indentation, int align, bool new_line);

}  // namespace pagora

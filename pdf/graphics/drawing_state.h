#pragma once

// The drawing-state stack: what a table (or any caller drawing into a region) saves before
// it changes colours, fonts, widths or the position, and restores afterwards so that what
// was drawn inside does not leak out.

#include <string>
#include <vector>

namespace pagora {

class Pagora;
struct Document;

// One saved drawing state. Lengths in points.
struct SavedDrawingState {
  float unit_factor = 1;
  float x = 0;
  float y = 0;
  std::string fill_color;
  std::string fill_pattern_color;
  std::string line_color;
  std::string line_pattern_color;
  std::string text_color;
  std::string text_pattern_color;
  // The font as last requested from SetFont: family text, size in points, style bits.
  std::string font_name;
  float font_size = 0;
  int font_style = 0;
  float line_width = 0;
};

// Saved states, the last saved on top; its depth is the number of entries.
struct StateStack {
  std::vector<SavedDrawingState> entries;
};

// Saves the current drawing state on top of the stack.
void PushDrawingState(Document& doc);

// Restores the state on top of the stack and removes it; does nothing on an empty stack.
// The unit factor and the position are restored directly; colours, line width and font go
// through `pdf`'s public setters, which write their operators into the active content (the
// font comes back with the WinAnsi encoding). A colour or font that was never set is not
// restored. Raises what the setters raise.
void PopDrawingState(Pagora& pdf, Document& doc);

}  // namespace pagora

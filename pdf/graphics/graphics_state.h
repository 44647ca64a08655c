#pragma once

#include <string>

#include "pdf/core/area.h"
#include "pdf/graphics/drawing_state.h"
#include "pdf/graphics/reusable_graphics.h"

namespace pagora {

// The document's drawing state: the last colours set (canonical colour texts), the line
// width, the transparency states created, and the box of the last drawn element.
struct GraphicsState {
  std::string fill_color;
  std::string fill_pattern_color;
  std::string line_color;
  std::string line_pattern_color;
  // Applied by the text emitter; setting it writes nothing.
  std::string text_color;
  std::string text_pattern_color;
  // Points.
  float line_width = 0;
  // Transparency states written so far; each is a resource named /GSTATE_n.
  int ext_gstate_count = 0;
  // Set while an uncoloured tiling pattern is being defined: colours are then ignored.
  bool uncoloured_tiling = false;
  // What LinkTo turns into a link.
  Area last_area;
  // Drawing states saved by tables and restored at their ends.
  StateStack state_stack;
  TableState table;
  ReusableGraphics reusable;
};

}  // namespace pagora

#pragma once

#include <string>
#include <vector>

namespace pagora {

// A form object of the document. Its options are the template flags: every written form
// object whose flags select a page is drawn on it (see TemplateSelected).
struct FormObjectEntry {
  std::string name;  // as given to BeginObject; the resource name, case kept
  int options = 0;
  // "n 0 R " for each annotation added while the object was recorded; they go onto every
  // page the object is drawn on as a template.
  std::string annotations;
  // Set by EndObject: only a written object may be placed by the page templates.
  bool written = false;
};

// An optional-content layer, numbered from 1 in table order (resource /_LAY_n).
struct LayerEntry {
  std::string name;  // as first given
  bool start_state = false;
  bool show_in_list = false;
};

// Reusable graphics of the document: form objects, the tiling pattern being defined, and
// the layers. Their resource entries live in the document's ResourceLists.
struct ReusableGraphics {
  std::vector<FormObjectEntry> form_objects;
  // The tiling pattern being defined: its trimmed, upper-cased name and the dictionary text
  // that EndTiling writes before the stream.
  std::string tiling_name;
  std::string tiling_dictionary;
  std::vector<LayerEntry> layers;
};

// The open table's cursor, in user units.
struct TableState {
  float cell_x = 0;  // top-left corner of the next cell
  float cell_y = 0;
  float column_width = 0;  // of the open top-level column
  float row_height = 0;    // of the open top-level row
  bool table_open = false;
  bool in_row = false;     // a top-level row is open
  bool in_column = false;  // a top-level column is open
  bool cell_open = false;  // a cell inside the top-level row or column is open
};

}  // namespace pagora

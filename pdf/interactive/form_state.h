#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pdf/core/pagora_codes.h"
#include "pdf/interactive/field_appearance.h"

namespace pagora {

// One field of the open page, kept until the page ends and its widget object is written.
struct FieldEntry {
  std::string name;    // full name; dots separate levels for OnFieldEvent
  std::string widget;  // the dictionary text from "<< /Type /Annot" to the field flags
  std::string action;  // " /A << ... >> " activation action, empty for none
  std::string events;  // the /AA entries, " /K << ... >> " ...
  bool calculated = false;
  std::string caption;          // check style character, "l", or a push button's caption
  std::string appearance;       // the /DA text, "/F1 10 Tf 0 0 0 rg "
  std::string characteristics;  // the /MK entries /BG, /BC, /R
  std::string tooltip;
  std::string value;  // choice fields: the items joined by "|"
  int selected = 0;   // choice fields: item number from 1, 0 for none
  int kind = kFieldText;
  // Appearance streams: drawn for text fields, check boxes and radio buttons that are not
  // rotated and not passwords. `look.widths` is filled from font `font_index` (from 1 in
  // the document's fonts) when the streams are written.
  bool with_appearance = false;
  FieldLook look;
  int font_index = 0;
  bool checked = false;
  int quadding = 0;
  bool multi_line = false;
};

// Form fields and scripts of the document.
struct FormState {
  // Fields of the open page, in the order they were added.
  std::vector<FieldEntry> page_fields;
  // "N 0 R " for every field object written: the form's /Fields.
  std::string field_list;
  // "N 0 R " for every field with a calculate script: the form's /CO.
  std::string calculation_order;
  // Script texts by slot; the page slots are emptied by BeginPage.
  std::array<std::string, kDocumentEventCount> scripts;
};

}  // namespace pagora

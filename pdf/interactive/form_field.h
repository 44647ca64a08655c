#pragma once

// The exact texts of form fields: the widget dictionary built when a field is added, the
// object written when its page ends, and how scripts attach to fields by name.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/area.h"
#include "pdf/interactive/form_state.h"

namespace pagora {

// The annotation flags /F: 2 hidden, plus 4 printed unless kFieldNotPrinted.
std::int32_t FieldAnnotationFlags(std::int32_t options);
// The field flags /Ff the options give, before the kind adds its own.
std::int32_t FieldFlags(std::int32_t options);
// The minor-version raise the options need: 2 for comb fields, 1 for no spell check or no
// scrolling, 0 otherwise.
int FieldVersionBump(std::int32_t options);
// The check box's style character (ZapfDingbats): "5" cross, "F" square, "l" circle, "H"
// star, "n" diamond, "4" tick, in that order of precedence.
std::string_view CheckStyle(std::int32_t options);

// A non-negative whole number written as digits (blanks around allowed), or 0 for any
// other text: the maximum length or the selected item that AddField takes as text.
int FieldNumber(std::string_view text);

// What AddField knows of a field besides its options.
struct FieldRequest {
  std::string name;
  int kind = kFieldText;
  Area box;  // points of the PDF default space
  std::string value;
  std::string extra;  // maximum length, selected item, or a push button's script
  std::string tooltip;
  std::int32_t options = 0;
  std::string fill_color;  // canonical colour texts
  std::string line_color;
  std::string appearance;  // the /DA text
};

// The page's entry for a field; a push button's script is left for the caller to write
// and name in `action`. RuntimeError 6 when a coordinate does not fit.
FieldEntry BuildFieldEntry(const FieldRequest& request);

// Encodes a text as a PDF string of the object being written.
using StringEncoder = std::function<std::string(std::string_view)>;

// The whole dictionary of a field's widget object, naming `page_object` as its page.
// `appearance` holds its /AP (and /AS) entries, empty for none.
std::string FieldObjectDictionary(const FieldEntry& field, int page_object,
                                  const StringEncoder& encode, std::string_view appearance = "");

// Whether a field named `name` is reached by a script given for `target`: the same name,
// or a name below it ("addr" reaches "addr.street" but not "address").
bool FieldNameMatches(std::string_view name, std::string_view target);

// The /AA key of field events 1..9 (" /D ", " /E ", " /X ", " /Fo ", " /Bl ", " /K ",
// " /V ", " /C ", " /F "); empty for any other event.
std::string_view FieldEventKey(int event);

// Attaches the action "<< /S /JavaScript /JS n 0 R >> " for `event` to every field that
// `target` reaches: event 0 replaces the activation action, 1..9 add an additional action
// (8, calculate, also puts the field in the calculation order). Returns how many fields
// it reached; an unknown event reaches none.
int AttachFieldScript(std::vector<FieldEntry>& fields, int event, std::string_view target,
                      int script_object);

}  // namespace pagora

#include "app/text_field.h"

#include "app/cp1252.h"
#include "app/key_mask.h"

namespace pannellonistica {

KeyResult TypeKey(TextField& field, uint8_t code) {
  if (code == kEnter) return KeyResult::kMoveFocus;
  const uint8_t key = FilterKey(field, code);
  if (key == 0) return KeyResult::kDropped;
  const auto caret = static_cast<size_t>(field.caret);
  const auto selected = static_cast<size_t>(field.selection_length);
  if (key == kBackspace) {
    if (selected > 0) {
      field.text.erase(caret, selected);
    } else if (caret > 0) {
      field.text.erase(caret - 1, 1);
      --field.caret;
    }
    field.selection_length = 0;
    return KeyResult::kTyped;
  }
  const size_t new_length = field.text.size() - selected + 1;
  if (field.max_length > 0 && new_length > static_cast<size_t>(field.max_length)) {
    return KeyResult::kDropped;
  }
  field.text.replace(caret, selected, 1, static_cast<char>(key));
  field.caret = static_cast<int>(caret + 1);
  field.selection_length = 0;
  return KeyResult::kTyped;
}

void GainFocus(TextField& field) {
  if (UpperCase(TrimSpaces(field.text)) == "GG/MM/AAAA") SetFieldText(field, "");
  field.background = kFocusColour;
}

void LoseFocus(TextField& field) {
  field.background = kWhite;
}

void SelectAll(TextField& field) {
  field.caret = 0;
  field.selection_length = static_cast<int>(field.text.size());
}

void SetFieldText(TextField& field, std::string_view value) {
  field.text = TrimSpaces(value).empty() ? std::string() : std::string(value);
  field.caret = 0;
  field.selection_length = 0;
}

}  // namespace pannellonistica

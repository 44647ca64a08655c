#include "app/key_mask.h"

#include <string>

#include "app/cp1252.h"

namespace pannellonistica {
namespace {

bool IsDigit(uint8_t code) {
  return code >= '0' && code <= '9';
}
bool IsLetter(uint8_t code) {
  return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
}
uint8_t Upper(uint8_t code) {
  return code >= 'a' && code <= 'z' ? static_cast<uint8_t>(code - 'a' + 'A') : code;
}

// Appends the separator and moves the caret to the end, as the date and time masks do
// when the caret reaches a separator's place. A full field is left alone: the separator
// would pass the maximum length.
void AppendSeparator(TextField& field, char separator) {
  if (field.max_length > 0 && static_cast<int>(field.text.size()) >= field.max_length) return;
  field.text += separator;
  field.caret = static_cast<int>(field.text.size());
  field.selection_length = 0;
}

uint8_t DateMask(TextField& field, uint8_t code) {
  field.max_length = 10;
  if (code == '/') return code;
  if (field.caret == 2 || field.caret == 5) AppendSeparator(field, '/');
  return IsDigit(code) ? code : 0;
}

uint8_t TimeMask(TextField& field, uint8_t code) {
  field.max_length = 5;
  if (code == ':' || code == ',' || code == '.') return ':';
  if (field.caret == 2) AppendSeparator(field, ':');
  return IsDigit(code) ? code : 0;
}

uint8_t DecimalMask(TextField& field, uint8_t code, int decimals) {
  const auto comma = field.text.find(',');
  if (code == ',' || code == '.') {
    if (comma != std::string::npos) return 0;
    if (field.caret != 0) return ',';
    if (field.max_length > 0 && field.text.size() + 2 > static_cast<size_t>(field.max_length)) {
      return 0;  // "0," would not fit; the toolkit would cut the text's end
    }
    field.text.insert(0, "0,");
    field.caret = 2;
    field.selection_length = 0;
    return 0;
  }
  if (!IsDigit(code)) return 0;
  if (comma == std::string::npos) return code;
  const int comma_position = static_cast<int>(comma) + 1;  // counted from 1
  const int decimals_typed = static_cast<int>(field.text.size()) - comma_position;
  return field.caret >= comma_position && decimals_typed >= decimals ? 0 : code;
}

}  // namespace

uint8_t FilterKey(TextField& field, uint8_t code) {
  if (code == kBackspace) return code;
  const std::string tag = UpperCase(field.tag);
  if (tag.empty()) return code;
  if (tag == "MA") return IsLetter(code) ? Upper(code) : 0;
  if (tag == "MANI") return IsLetter(code) || IsDigit(code) ? Upper(code) : 0;
  if (tag == "NI" || tag == "PI") return IsDigit(code) ? code : 0;
  if (tag == "TEL") return IsDigit(code) || code == '+' || code == ' ' || code == '/' ? code : 0;
  if (tag == "DATA") return DateMask(field, code);
  if (tag == "ORA") return TimeMask(field, code);
  if (tag.size() == 3 && tag.starts_with("ND") && tag[2] >= '1' && tag[2] <= '6') {
    return DecimalMask(field, code, tag[2] - '0');
  }
  return code;  // an unknown tag masks nothing
}

}  // namespace pannellonistica

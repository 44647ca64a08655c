// Whatever is typed into a masked field, the caret stays inside the text and the text
// within the field's maximum length; the date helpers accept any text a field can hold.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/key_mask.h"
#include "app/stored_date.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr std::array<const char*, 13> kTags = {"",    "MA",  "MANI", "NI",  "PI",  "TEL", "DATA",
                                               "ORA", "ND1", "ND2",  "ND6", "nd3", "data"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  pannellonistica::TextField field;
  field.tag = kTags[data[0] % kTags.size()];
  field.max_length = data[1] % 16;
  for (size_t i = 2; i < size; ++i) {
    const uint8_t byte = data[i];
    if (byte == 0x01) {  // move the caret, as a mouse click would
      field.caret = static_cast<int>((i * 7) % (field.text.size() + 1));
      field.selection_length = 0;
      continue;
    }
    if (byte == 0x02) {
      pannellonistica::SelectAll(field);
      continue;
    }
    pannellonistica::TypeKey(field, byte);
    Require(field.caret >= 0 && static_cast<size_t>(field.caret) <= field.text.size());
    Require(field.selection_length >= 0 &&
            static_cast<size_t>(field.caret + field.selection_length) <= field.text.size());
    Require(field.max_length == 0 || field.text.size() <= static_cast<size_t>(field.max_length));
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string stored = pannellonistica::TextDateToStored(text);
  const int check = pannellonistica::CheckStoredDate(stored);
  Require(check >= 0 && check <= 2);
  pannellonistica::StoredDateToText(text);
  return 0;
}

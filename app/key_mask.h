// The key masks of text fields, chosen by the field's tag.
#pragma once

#include <cstdint>

#include "app/text_field.h"

namespace pannellonistica {

// The key filter of the field's mask tag (compared in upper case) for the key `code`, a
// Windows-1252 byte. Returns the key to insert, possibly replaced ("a" -> "A" for "MA",
// "." -> ":" for "ORA"), or 0 to cancel it. Some masks also edit the field: "DATA" and
// "ORA" set the maximum length and append the separator at the caret positions 2 and 5
// (2 for "ORA"), "ND1".."ND6" turn a leading comma into "0,"; none of them takes the text
// past the maximum length. Backspace passes every mask; a field without a tag takes every
// key.
uint8_t FilterKey(TextField& field, uint8_t code);

}  // namespace pannellonistica

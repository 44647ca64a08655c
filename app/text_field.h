// A single-line text field as the form's logic sees it: Windows-1252 text, caret and
// selection, maximum length, mask tag and background colour. The window mirrors it into a
// toolkit widget; key filtering, typing and the focus rules live here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pannellonistica {

inline constexpr uint8_t kBackspace = 8;
inline constexpr uint8_t kEnter = 13;

struct Rgb {
  uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kFocusColour{192, 255, 255};  // 0xFFFFC0 in blue-green-red order
inline constexpr Rgb kCaptionRed{247, 18, 13};     // 856823
inline constexpr std::string_view kDatePlaceholder = "gg/mm/aaaa";

struct TextField {
  std::string text{};        // Windows-1252 bytes
  int caret = 0;             // 0-based insertion point, 0 to text.size()
  int selection_length = 0;  // selected characters from the caret onwards
  int max_length = 0;        // 0: no limit
  std::string tag{};         // mask tag, "" for none
  Rgb background = kWhite;
};

// What a typed key did.
enum class KeyResult {
  kTyped,      // the key passed its mask and was inserted (or deleted, for Backspace)
  kDropped,    // the mask cancelled it, or the field is full
  kMoveFocus,  // Enter: the focus moves on as with Tab
};

// Types one key into the field as the toolkit would: Enter asks for the next field;
// otherwise FilterKey, then the key replaces the selection or is inserted at the caret,
// unless that would pass the maximum length. Backspace deletes the selection or the
// character before the caret.
KeyResult TypeKey(TextField& field, uint8_t code);

// The field gains the focus: a date placeholder ("GG/MM/AAAA" in any case, spaces
// around) is cleared and the background becomes the focus colour.
void GainFocus(TextField& field);

// The field loses the focus: the background becomes white.
void LoseFocus(TextField& field);

// The whole text selected, the caret at 0.
void SelectAll(TextField& field);

// Sets the text, or the empty text when the value is blank after trimming spaces; the
// caret goes to the start.
void SetFieldText(TextField& field, std::string_view value);

}  // namespace pannellonistica

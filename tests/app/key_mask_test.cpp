#include "app/key_mask.h"

#include <gtest/gtest.h>

#include <string>

namespace pannellonistica {
namespace {

TextField Typed(const char* tag, const std::string& keys, int max_length = 0) {
  TextField field;
  field.tag = tag;
  field.max_length = max_length;
  for (const char key : keys) TypeKey(field, static_cast<uint8_t>(key));
  return field;
}

TEST(KeyMaskTest, TypingSequences) {
  const struct {
    const char* tag;
    const char* keys;
    const char* text;
  } cases[] = {
      {"DATA", "12032008", "12/03/2008"},
      {"data", "12/03/2008", "12/03/2008"},  // typed slashes are kept, tags in any case
      {"DATA", "12a", "12/"},                // a letter at caret 2 leaves the "/" appended
      {"DATA", "1203200899", "12/03/2008"},  // the maximum length 10 stops the rest
      {"ORA", "12.30", "12:30"},
      {"ORA", "1230", "12:30"},
      {"ORA", "12,", "12:"},
      {"ND2", ".507", "0,50"},
      {"ND2", "3.141", "3,14"},
      {"ND2", "3..1", "3,1"},
      {"ND1", "7x,5", "7,5"},
      {"MA", "ab1Cd", "ABCD"},
      {"MANI", "a1-b2", "A1B2"},
      {"NI", "1a2", "12"},
      {"PI", "0 9", "09"},
      {"TEL", "+39 06/1a", "+39 06/1"},
      {"", "Via è 1!", "Via è 1!"},
      {"XYZ", "libero", "libero"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Typed(c.tag, c.keys).text, c.text) << c.tag << " " << c.keys;
  }
}

TEST(KeyMaskTest, MasksSetTheirMaximumLength) {
  EXPECT_EQ(Typed("DATA", "1").max_length, 10);
  EXPECT_EQ(Typed("ORA", "1").max_length, 5);
}

TEST(KeyMaskTest, DecimalMaskCaretCases) {
  TextField field{.text = "5", .caret = 0, .tag = "ND2"};
  EXPECT_EQ(FilterKey(field, '.'), 0);  // at the start: the text becomes "0," + text
  EXPECT_EQ(field.text, "0,5");
  EXPECT_EQ(field.caret, 2);
  field = {.text = "12,34", .caret = 1, .tag = "ND2"};
  EXPECT_EQ(FilterKey(field, '9'), '9');  // before the comma digits stay free
  field.caret = 5;
  EXPECT_EQ(FilterKey(field, '9'), 0);
  field = {.text = "12", .caret = 1, .tag = "ND2"};
  EXPECT_EQ(FilterKey(field, '.'), ',');
  field = {.text = "123", .caret = 0, .max_length = 4, .tag = "ND2"};
  EXPECT_EQ(FilterKey(field, ','), 0);  // "0,123" would pass the maximum length
  EXPECT_EQ(field.text, "123");
}

TEST(KeyMaskTest, DateMaskAppendsAtCaretTwoAndFiveOnly) {
  TextField field{.text = "12/03", .caret = 2, .max_length = 10, .tag = "DATA"};
  EXPECT_EQ(FilterKey(field, '7'), '7');
  EXPECT_EQ(field.text, "12/03/");  // appended at the end, caret moved there
  EXPECT_EQ(field.caret, 6);
  field = {.text = "12/03/2008", .caret = 5, .max_length = 10, .tag = "DATA"};
  EXPECT_EQ(FilterKey(field, '1'), '1');
  EXPECT_EQ(field.text, "12/03/2008");  // a full field gets no eleventh character
}

TEST(KeyMaskTest, BackspacePassesEveryMaskAndDeletes) {
  for (const char* tag : {"DATA", "ORA", "ND2", "MA", "MANI", "NI", "PI", "TEL", ""}) {
    TextField field{.text = "12", .caret = 2, .tag = tag};
    EXPECT_EQ(TypeKey(field, kBackspace), KeyResult::kTyped) << tag;
    EXPECT_EQ(field.text, "1") << tag;
  }
  TextField selected{.text = "abcd", .caret = 1, .selection_length = 2};
  TypeKey(selected, kBackspace);
  EXPECT_EQ(selected.text, "ad");
}

TEST(KeyMaskTest, TypingReplacesTheSelectionWithinTheMaximumLength) {
  TextField field{.text = "abc", .caret = 0, .selection_length = 3, .max_length = 3};
  EXPECT_EQ(TypeKey(field, 'x'), KeyResult::kTyped);
  EXPECT_EQ(field.text, "x");
  field = {.text = "abc", .caret = 1, .max_length = 3};
  EXPECT_EQ(TypeKey(field, 'x'), KeyResult::kDropped);
  EXPECT_EQ(TypeKey(field, kEnter), KeyResult::kMoveFocus);
  EXPECT_EQ(field.text, "abc");
}

TEST(KeyMaskTest, FocusClearsThePlaceholderAndColoursTheField) {
  TextField field{.text = " GG/mm/AAAA "};
  GainFocus(field);
  EXPECT_EQ(field.text, "");
  EXPECT_EQ(field.background, kFocusColour);
  LoseFocus(field);
  EXPECT_EQ(field.background, kWhite);
  field.text = "gg/mm/aaa";
  GainFocus(field);
  EXPECT_EQ(field.text, "gg/mm/aaa");
}

}  // namespace
}  // namespace pannellonistica

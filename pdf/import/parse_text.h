#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/import/pdf_status.h"

namespace pagora {

// An indirect reference "n g R".
struct ObjectRef {
  std::uint32_t number = 0;  // 0: no object
  std::uint16_t generation = 0;
  friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
};

enum class ValueKind {
  kNone,  // nothing readable at the cursor: see ParseText::error()
  kNull,
  kBoolean,
  kNumber,
  kName,
  kString,
  kArray,
  kDictionary,
  kReference,
};

struct PdfValue {
  ValueKind kind = ValueKind::kNone;
  // A name with its "/"; a number, boolean or null as written; a string's characters
  // (escapes resolved, text strings converted to Windows-1252); an array or dictionary
  // as written, brackets included; a reference as "n g R".
  std::string text;
  std::string_view raw;  // the value as written, inside the parsed text
  double number = 0;     // kNumber
  ObjectRef ref;         // kReference
};

// A cursor over a small text (a dictionary, an array, a trailer) that reads PDF values.
// The text is not copied: it must outlive the cursor. Every read leaves the cursor after
// what it read; a failed read leaves it where it was and sets error().
class ParseText {
 public:
  explicit ParseText(std::string_view text = {}) : text_(text) {}

  // Replaces the text; the cursor goes back to its start.
  void SetParseText(std::string_view text);
  std::string_view text() const { return text_; }
  std::size_t position() const { return pos_; }
  void set_position(std::size_t pos) { pos_ = pos < text_.size() ? pos : text_.size(); }
  // Why the last failed read failed (kMalformed or kTooDeep).
  PdfStatus error() const { return error_; }

  // Moves over white space and comments.
  void SkipWhitespace();
  // True when only white space and comments are left.
  bool AtEnd();

  // With the cursor before a dictionary "<<", finds `key` (given with or without its "/")
  // among the dictionary's own keys, never inside its values, and matching the whole name:
  // "Type" does not find /Types. A key written twice counts at its last place, as readers
  // usually take it. On success the cursor stands just after the key.
  bool FindKey(std::string_view key);

  // The next number (integer or real).
  std::optional<double> ReadNumber();
  // The next number when it is an integer.
  std::optional<std::int64_t> ReadInteger();
  // The next reference "n g R".
  std::optional<ObjectRef> ReadReference();
  // One reference, or every reference of an array "[ ... ]". False, with nothing read,
  // when something else stands there or the array holds anything but references.
  bool ReadReferenceArray(std::vector<ObjectRef>& refs);

  // Reads the next value whole (see PdfValue). kNone at the end of the text, before a
  // closing bracket, on a syntax error or a nesting deeper than kMaxPdfNesting.
  PdfValue ReadValue();

 private:
  bool Fail(PdfStatus status);
  // Moves `pos` over the value there; false, with `pos` unchanged, when none is there.
  bool SkipFrom(std::size_t& pos);

  std::string_view text_;
  std::size_t pos_ = 0;
  PdfStatus error_ = PdfStatus::kOk;
};

// The value of a number that is a whole number from 0 to 2^53 (an offset, a length, a
// count); nothing for any other value.
std::optional<std::uint64_t> NonNegativeInteger(const PdfValue& value);

// The value of `key` in a dictionary text, or kNone when it is absent.
PdfValue LookupKey(std::string_view dictionary, std::string_view key);

}  // namespace pagora

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace pagora {

// Error numbers follow the classic run-time numbering, so that callers can test them.
enum ErrorNumber : int {
  kInvalidCall = 5,          // invalid call or argument
  kOverflow = 6,             // arithmetic or range overflow
  kSubscriptOutOfRange = 9,  // index outside a table
  kDivisionByZero = 11,
  kTypeMismatch = 13,  // malformed value, e.g. a colour text that is not hexadecimal
  kBadFileName = 52,   // bad file name, or the file is locked, busy or not writable
  kFileNotFound = 53,
  kInputPastEnd = 62,    // input past the end of a file
  kPathFileAccess = 75,  // any other failure to open, read or write a file
  kPathNotFound = 76,    // a folder of the path does not exist
  kInvalidFormat = 321,  // an input file is not in the format it claims
};

// The Italian description of a run-time error number; empty for a number not in the table.
std::string_view DescribeError(int number);

// The one exception type of the engine: a run-time error with its number and description.
// Operations that trap their own failures record it in the document's error state; every
// other operation lets it reach the caller.
class RuntimeError : public std::runtime_error {
 public:
  // The description is the standard one for the number.
  explicit RuntimeError(int number);
  // The description is the standard one, then " - " and the detail (a file name, say).
  RuntimeError(int number, std::string_view detail);

  // The error number (see ErrorNumber).
  int number() const { return number_; }
  // The Italian description, with the detail when one was given.
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

}  // namespace pagora

// Dates between the form's dd/mm/yyyy text and the stored form yyyymmdd, whose numeric
// order is time order. Stored values "", "0" and "000000" mean "no date"; a stored value of
// 9 to 12 characters carries a time hhmm after the date.
#pragma once

#include <string>
#include <string_view>

namespace pannellonistica {

// True when `text` is one or more ASCII digits and nothing else.
bool IsNumber(std::string_view text);

// Compares two IsNumber texts by value: negative, zero or positive.
int CompareNumbers(std::string_view a, std::string_view b);

// The form's date text to the stored form: year to four digits, month to two, day to two,
// run together; parts split at the first two "/". A numeric part is padded with zeros (a
// wider one stays whole), a non-numeric part stays as typed. Without "/" the day is absent
// and month and year are 0, so "" gives "000000"; "12/05" gives "00000012".
std::string TextDateToStored(std::string_view text);

// A stored date to dd/mm/yyyy, with " hh:mm" when it has 9 to 12 characters; the empty
// text for "", "0" and "000000" (after trimming spaces).
std::string StoredDateToText(std::string_view stored);

// 0 when the stored date is a valid calendar date between the years 1800 and 2100; 1 when
// it is not a number or its year or day is wrong; 2 when its month is wrong. Empty day or
// month parts (short values) are not checked. February has 29 days in years divisible by
// 4 except 1900.
int CheckStoredDate(std::string_view stored);

}  // namespace pannellonistica

#include "app/stored_date.h"

#include <algorithm>
#include <array>

#include "app/cp1252.h"

namespace pannellonistica {
namespace {

std::string_view StripZeros(std::string_view digits) {
  const auto first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Numeric parts are padded to `width` by value; others stay as typed.
std::string FormatPart(std::string_view part, size_t width) {
  const std::string_view trimmed = TrimSpaces(part);
  if (!IsNumber(trimmed)) return std::string(part);
  std::string digits(StripZeros(trimmed));
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// Mid$(text, start, length) with a 1-based start, clipped to the text.
std::string_view Mid(std::string_view text, size_t start, size_t length) {
  if (start > text.size()) return {};
  return text.substr(start - 1, length);
}

int Value(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool IsLeap(int year) {
  return year % 4 == 0 && year != 1900;
}

}  // namespace

bool IsNumber(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int CompareNumbers(std::string_view a, std::string_view b) {
  a = StripZeros(a);
  b = StripZeros(b);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

std::string TextDateToStored(std::string_view text) {
  const auto first_slash = text.find('/');
  if (first_slash == std::string_view::npos) return "000000";  // year 0000, month 00, no day
  const std::string_view day = text.substr(0, first_slash);
  const std::string_view rest = text.substr(first_slash + 1);
  std::string_view month = "0";
  std::string_view year = "0";
  if (const auto second_slash = rest.find('/'); second_slash != std::string_view::npos) {
    month = rest.substr(0, second_slash);
    year = rest.substr(second_slash + 1);
  }
  return FormatPart(year, 4) + FormatPart(month, 2) + FormatPart(day, 2);
}

std::string StoredDateToText(std::string_view stored) {
  const std::string_view trimmed = TrimSpaces(stored);
  if (trimmed.empty() || trimmed == "0" || trimmed == "000000") return {};
  std::string text = std::string(Mid(stored, 7, 2)) + "/" + std::string(Mid(stored, 5, 2)) + "/" +
                     std::string(Mid(stored, 1, 4));
  if (stored.size() > 8 && stored.size() <= 12) {
    text += " " + std::string(Mid(stored, 9, 2)) + ":" + std::string(Mid(stored, 11, 2));
  }
  return text;
}

int CheckStoredDate(std::string_view stored) {
  if (!IsNumber(stored)) return 1;
  const std::string_view year_part = Mid(stored, 1, 4);
  const std::string_view month_part = Mid(stored, 5, 2);
  const std::string_view day_part = Mid(stored, 7, 2);
  const int year = Value(year_part);
  const int month = Value(month_part);
  const int day = Value(day_part);
  if (year < 1800 || year > 2100) return 1;
  if (!day_part.empty() && (day < 1 || day > 31)) return 1;
  if (!month_part.empty() && (month < 1 || month > 12)) return 2;
  if (!day_part.empty() && !month_part.empty()) {
    constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int length = kMonthDays[static_cast<size_t>(month - 1)] + (month == 2 && IsLeap(year));
    if (day > length) return 1;
  }
  return 0;
}

}  // namespace pannellonistica

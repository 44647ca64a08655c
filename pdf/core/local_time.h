#pragma once

#include <functional>

namespace pagora {

// A local date and time, as the calendar and the wall clock show it.
struct LocalTime {
  int year = 2000;  // four digits
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;   // 0..59
  int second = 0;   // 0..59
};

// Where the document takes the time for its creation date and temporary names.
using Clock = std::function<LocalTime()>;

// The machine's local time now.
LocalTime CurrentLocalTime();

}  // namespace pagora

#include "vorlent/time/time_unit.h"

#include <ostream>

#include "vorlent/base/fatal.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {

double seconds(double value, TimeUnit unit) {
  switch (unit) {
    case TimeUnit::weeks:
      return value * secondsPerWeek;
    case TimeUnit::days:
      return value * secondsPerDay;
    case TimeUnit::halfdays:
      return value * secondsPerHalfday;
    case TimeUnit::hours:
      return value * secondsPerHour;
    case TimeUnit::minutes:
      return value * 60;
    case TimeUnit::seconds:
      return value;
    case TimeUnit::deciseconds:
      return value / 10;
    case TimeUnit::centiseconds:
      return value / 100;
    case TimeUnit::milliseconds:
      return value / 1000;
    case TimeUnit::nanoseconds:
      return value / 1e9;
  }
  fatalStop("seconds(value, unit): unknown TimeUnit");
}

double valueIn(double seconds, TimeUnit unit) {
  switch (unit) {
    case TimeUnit::weeks:
      return seconds / secondsPerWeek;
    case TimeUnit::days:
      return seconds / secondsPerDay;
    case TimeUnit::halfdays:
      return seconds / secondsPerHalfday;
    case TimeUnit::hours:
      return seconds / secondsPerHour;
    case TimeUnit::minutes:
      return seconds / 60;
    case TimeUnit::seconds:
      return seconds;
    case TimeUnit::deciseconds:
      return seconds * 10;
    case TimeUnit::centiseconds:
      return seconds * 100;
    case TimeUnit::milliseconds:
      return seconds * 1000;
    case TimeUnit::nanoseconds:
      return seconds * 1e9;
  }
  fatalStop("valueIn(seconds, unit): unknown TimeUnit");
}

namespace {

int64_t monthsPerUnit(CalendarTimeUnit unit) {
  switch (unit) {
    case CalendarTimeUnit::months:
      return 1;
    case CalendarTimeUnit::quarters:
      return 3;
    case CalendarTimeUnit::years:
      return 12;
    case CalendarTimeUnit::decades:
      return 120;
    case CalendarTimeUnit::centuries:
      return 1200;
    case CalendarTimeUnit::millennia:
      return 12000;
  }
  fatalStop("unknown CalendarTimeUnit");
}

}  // namespace

int64_t months(int64_t value, CalendarTimeUnit unit) {
  return checkedMultiply(value, monthsPerUnit(unit), "months(value, unit): month count");
}

double valueIn(int64_t months, CalendarTimeUnit unit) {
  return static_cast<double>(months) / static_cast<double>(monthsPerUnit(unit));
}

std::ostream& operator<<(std::ostream& out, TimeUnit unit) {
  switch (unit) {
    case TimeUnit::weeks:
      return out << "weeks";
    case TimeUnit::days:
      return out << "days";
    case TimeUnit::halfdays:
      return out << "halfdays";
    case TimeUnit::hours:
      return out << "hours";
    case TimeUnit::minutes:
      return out << "minutes";
    case TimeUnit::seconds:
      return out << "seconds";
    case TimeUnit::deciseconds:
      return out << "deciseconds";
    case TimeUnit::centiseconds:
      return out << "centiseconds";
    case TimeUnit::milliseconds:
      return out << "milliseconds";
    case TimeUnit::nanoseconds:
      return out << "nanoseconds";
  }
  return out << "TimeUnit(" << static_cast<int>(unit) << ")";
}

std::ostream& operator<<(std::ostream& out, CalendarTimeUnit unit) {
  switch (unit) {
    case CalendarTimeUnit::months:
      return out << "months";
    case CalendarTimeUnit::quarters:
      return out << "quarters";
    case CalendarTimeUnit::years:
      return out << "years";
    case CalendarTimeUnit::decades:
      return out << "decades";
    case CalendarTimeUnit::centuries:
      return out << "centuries";
    case CalendarTimeUnit::millennia:
      return out << "millennia";
  }
  return out << "CalendarTimeUnit(" << static_cast<int>(unit) << ")";
}

}  // namespace vorlent

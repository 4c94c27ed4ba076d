#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>

#include "vorlent/time/time.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

class ScheduleDefinition;

// Names how the intervals of a header row or a highlighter are labelled: a
// counter of elapsed (working) time (`numerically`), one of 45 date formats
// and styles, or `none` (every label empty). `TimeSelector` turns it into a
// label generator. The named cases have no payload and are built by the static
// functions of the same name.
class TimeLabelFormat {
 public:
  // In declaration order; `numerically` is the only case with a payload.
  enum class Kind {
    numerically,
    dateTime,
    longDate,
    date,
    shortDate,
    time,
    shortTime,
    day,
    dayWithLeadingZero,
    dayMonth,
    dayMonthYear,
    dayOfYear,
    dayOfYearWithLeadingZeroes,
    dayOfWeek,
    dayOfWeekShortAbbreviation,
    dayOfWeekAbbreviation,
    dayOfWeekLongAbbreviation,
    weekOfMonth,
    weekOfYear,
    weekOfYearWithLeadingZero,
    month,
    monthShortAbbreviation,
    monthAbbreviation,
    monthNumber,
    monthNumberWithLeadingZero,
    monthYear,
    quarter,
    quarterNumber,
    quarterYear,
    year,
    yearOfCentury,
    periodOfDay,
    hour,
    hourWithLeadingZero,
    hourOfPeriod,
    hourOfPeriodWithLeadingZero,
    minute,
    minuteWithLeadingZero,
    second,
    secondWithLeadingZero,
    decisecond,
    centisecond,
    millisecond,
    secondWithDecisecond,
    secondWithCentisecond,
    secondWithMillisecond,
    none,
  };

  // The counter's settings; each absent one takes the duration label
  // generator's default (the reference time, seconds, the continuous
  // schedule, counting from 1, negative counts unlabelled).
  struct Numerically {
    std::optional<Time> reference;
    std::optional<TimeUnit> unit;
    std::shared_ptr<ScheduleDefinition> schedule;
    std::optional<bool> zeroBased;
    std::optional<bool> includingNegativeValues;
  };

  // A named case; `Kind::numerically` gives a counter with every setting
  // absent.
  explicit TimeLabelFormat(Kind kind) : kind_(kind) {}

  static TimeLabelFormat numerically(std::optional<Time> reference, std::optional<TimeUnit> unit,
                                     std::shared_ptr<ScheduleDefinition> schedule,
                                     std::optional<bool> zeroBased,
                                     std::optional<bool> includingNegativeValues);
  // `numerically` counting from `since` in `unit`.
  static TimeLabelFormat numeric(const Time& since, TimeUnit unit,
                                 std::shared_ptr<ScheduleDefinition> schedule = nullptr,
                                 std::optional<bool> zeroBased = std::nullopt,
                                 std::optional<bool> includingNegativeValues = std::nullopt);

  static TimeLabelFormat dateTime() { return TimeLabelFormat(Kind::dateTime); }
  static TimeLabelFormat longDate() { return TimeLabelFormat(Kind::longDate); }
  static TimeLabelFormat date() { return TimeLabelFormat(Kind::date); }
  static TimeLabelFormat shortDate() { return TimeLabelFormat(Kind::shortDate); }
  static TimeLabelFormat time() { return TimeLabelFormat(Kind::time); }
  static TimeLabelFormat shortTime() { return TimeLabelFormat(Kind::shortTime); }
  static TimeLabelFormat day() { return TimeLabelFormat(Kind::day); }
  static TimeLabelFormat dayWithLeadingZero() { return TimeLabelFormat(Kind::dayWithLeadingZero); }
  static TimeLabelFormat dayMonth() { return TimeLabelFormat(Kind::dayMonth); }
  static TimeLabelFormat dayMonthYear() { return TimeLabelFormat(Kind::dayMonthYear); }
  static TimeLabelFormat dayOfYear() { return TimeLabelFormat(Kind::dayOfYear); }
  static TimeLabelFormat dayOfYearWithLeadingZeroes() {
    return TimeLabelFormat(Kind::dayOfYearWithLeadingZeroes);
  }
  static TimeLabelFormat dayOfWeek() { return TimeLabelFormat(Kind::dayOfWeek); }
  static TimeLabelFormat dayOfWeekShortAbbreviation() {
    return TimeLabelFormat(Kind::dayOfWeekShortAbbreviation);
  }
  static TimeLabelFormat dayOfWeekAbbreviation() {
    return TimeLabelFormat(Kind::dayOfWeekAbbreviation);
  }
  static TimeLabelFormat dayOfWeekLongAbbreviation() {
    return TimeLabelFormat(Kind::dayOfWeekLongAbbreviation);
  }
  static TimeLabelFormat weekOfMonth() { return TimeLabelFormat(Kind::weekOfMonth); }
  static TimeLabelFormat weekOfYear() { return TimeLabelFormat(Kind::weekOfYear); }
  static TimeLabelFormat weekOfYearWithLeadingZero() {
    return TimeLabelFormat(Kind::weekOfYearWithLeadingZero);
  }
  static TimeLabelFormat month() { return TimeLabelFormat(Kind::month); }
  static TimeLabelFormat monthShortAbbreviation() {
    return TimeLabelFormat(Kind::monthShortAbbreviation);
  }
  static TimeLabelFormat monthAbbreviation() { return TimeLabelFormat(Kind::monthAbbreviation); }
  static TimeLabelFormat monthNumber() { return TimeLabelFormat(Kind::monthNumber); }
  static TimeLabelFormat monthNumberWithLeadingZero() {
    return TimeLabelFormat(Kind::monthNumberWithLeadingZero);
  }
  static TimeLabelFormat monthYear() { return TimeLabelFormat(Kind::monthYear); }
  static TimeLabelFormat quarter() { return TimeLabelFormat(Kind::quarter); }
  static TimeLabelFormat quarterNumber() { return TimeLabelFormat(Kind::quarterNumber); }
  static TimeLabelFormat quarterYear() { return TimeLabelFormat(Kind::quarterYear); }
  static TimeLabelFormat year() { return TimeLabelFormat(Kind::year); }
  static TimeLabelFormat yearOfCentury() { return TimeLabelFormat(Kind::yearOfCentury); }
  static TimeLabelFormat periodOfDay() { return TimeLabelFormat(Kind::periodOfDay); }
  static TimeLabelFormat hour() { return TimeLabelFormat(Kind::hour); }
  static TimeLabelFormat hourWithLeadingZero() {
    return TimeLabelFormat(Kind::hourWithLeadingZero);
  }
  static TimeLabelFormat hourOfPeriod() { return TimeLabelFormat(Kind::hourOfPeriod); }
  static TimeLabelFormat hourOfPeriodWithLeadingZero() {
    return TimeLabelFormat(Kind::hourOfPeriodWithLeadingZero);
  }
  static TimeLabelFormat minute() { return TimeLabelFormat(Kind::minute); }
  static TimeLabelFormat minuteWithLeadingZero() {
    return TimeLabelFormat(Kind::minuteWithLeadingZero);
  }
  static TimeLabelFormat second() { return TimeLabelFormat(Kind::second); }
  static TimeLabelFormat secondWithLeadingZero() {
    return TimeLabelFormat(Kind::secondWithLeadingZero);
  }
  static TimeLabelFormat decisecond() { return TimeLabelFormat(Kind::decisecond); }
  static TimeLabelFormat centisecond() { return TimeLabelFormat(Kind::centisecond); }
  static TimeLabelFormat millisecond() { return TimeLabelFormat(Kind::millisecond); }
  static TimeLabelFormat secondWithDecisecond() {
    return TimeLabelFormat(Kind::secondWithDecisecond);
  }
  static TimeLabelFormat secondWithCentisecond() {
    return TimeLabelFormat(Kind::secondWithCentisecond);
  }
  static TimeLabelFormat secondWithMillisecond() {
    return TimeLabelFormat(Kind::secondWithMillisecond);
  }
  static TimeLabelFormat none() { return TimeLabelFormat(Kind::none); }

  [[nodiscard]] Kind kind() const { return kind_; }
  // The counter's settings, or null for a named case.
  [[nodiscard]] const Numerically* asNumerically() const {
    return kind_ == Kind::numerically ? &numerically_ : nullptr;
  }

 private:
  Kind kind_;
  Numerically numerically_;
};

std::ostream& operator<<(std::ostream& out, TimeLabelFormat::Kind kind);

}  // namespace vorlent

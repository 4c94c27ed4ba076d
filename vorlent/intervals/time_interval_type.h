#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "vorlent/time/time.h"

namespace vorlent {

// Names the kind of intervals of a header row or a highlighter in one value:
// days, weeks starting on a weekday, months starting on a day of the month,
// quarters starting in a month of the quarter, ..., given moments, or the
// visible timeline around another kind. `TimeSelector` turns it into an
// interval selector.
//
// Each case is a small struct held in `value()`; the static functions named
// after the cases build them with every payload given. The static functions
// named after units (`days(period, start)`, `months(...)`, ...) take optional
// payloads with defaults (period 1; start 0 for the sub-monthly kinds and 1 for
// the calendar kinds). The argument-less `days()`, `months()`, ... are settable
// defaults that hosts may reassign.
class TimeIntervalType {
 public:
  struct Daily {
    double period;
    double startingAtHours;
    friend bool operator==(const Daily&, const Daily&) = default;
  };
  struct Weekly {
    double period;
    int64_t startingOn;  // day of the week, 0 Sunday
    friend bool operator==(const Weekly&, const Weekly&) = default;
  };
  struct Monthly {
    int64_t period;
    int64_t startingOn;  // day of the month, from 1
    friend bool operator==(const Monthly&, const Monthly&) = default;
  };
  struct Quarterly {
    int64_t period;
    int64_t startingOnMonthOfQuarter;  // from 1
    friend bool operator==(const Quarterly&, const Quarterly&) = default;
  };
  struct Yearly {
    int64_t period;
    int64_t startingOnMonth;  // from 1
    friend bool operator==(const Yearly&, const Yearly&) = default;
  };
  struct Decennially {
    int64_t period;
    int64_t startingOnYearOfDecade;  // from 1
    friend bool operator==(const Decennially&, const Decennially&) = default;
  };
  struct Centennially {
    int64_t period;
    int64_t startingOnYearOfCentury;  // from 1
    friend bool operator==(const Centennially&, const Centennially&) = default;
  };
  struct Millennially {
    int64_t period;
    int64_t startingOnYearOfMillennium;  // from 1
    friend bool operator==(const Millennially&, const Millennially&) = default;
  };
  struct Halfdaily {
    double period;
    double startingAtHour;
    friend bool operator==(const Halfdaily&, const Halfdaily&) = default;
  };
  struct Hourly {
    double period;
    double startingAtMinute;
    friend bool operator==(const Hourly&, const Hourly&) = default;
  };
  struct Minutely {
    double period;
    double startingAtSecond;
    friend bool operator==(const Minutely&, const Minutely&) = default;
  };
  struct Secondly {
    double period;
    double startingAtMillisecond;
    friend bool operator==(const Secondly&, const Secondly&) = default;
  };
  struct Decisecondly {
    double period;
    double startingAtMillisecondOfDecisecond;
    friend bool operator==(const Decisecondly&, const Decisecondly&) = default;
  };
  struct Centisecondly {
    double period;
    double startingAtMillisecondOfCentisecond;
    friend bool operator==(const Centisecondly&, const Centisecondly&) = default;
  };
  struct Millisecondly {
    double period;
    double startingAtNanosecondOfMillisecond;
    friend bool operator==(const Millisecondly&, const Millisecondly&) = default;
  };
  // Absent values mean the current moment; an empty list is no moment at all,
  // so the two are different types.
  struct TimeBased {
    std::optional<std::vector<Time>> values;
    bool separating;
    friend bool operator==(const TimeBased&, const TimeBased&) = default;
  };
  // The requested range itself, clipped from the intervals of `type`. The
  // inner type is never null and is compared by value.
  struct VisibleTimelineBased {
    std::shared_ptr<const TimeIntervalType> type;
    friend bool operator==(const VisibleTimelineBased& a, const VisibleTimelineBased& b);
  };

  using Value = std::variant<Daily, Weekly, Monthly, Quarterly, Yearly, Decennially, Centennially,
                             Millennially, Halfdaily, Hourly, Minutely, Secondly, Decisecondly,
                             Centisecondly, Millisecondly, TimeBased, VisibleTimelineBased>;

  // One factory per case, every payload given.
  static TimeIntervalType daily(double period, double startingAtHours);
  static TimeIntervalType weekly(double period, int64_t startingOn);
  static TimeIntervalType monthly(int64_t period, int64_t startingOn);
  static TimeIntervalType quarterly(int64_t period, int64_t startingOnMonthOfQuarter);
  static TimeIntervalType yearly(int64_t period, int64_t startingOnMonth);
  static TimeIntervalType decennially(int64_t period, int64_t startingOnYearOfDecade);
  static TimeIntervalType centennially(int64_t period, int64_t startingOnYearOfCentury);
  static TimeIntervalType millennially(int64_t period, int64_t startingOnYearOfMillennium);
  static TimeIntervalType halfdaily(double period, double startingAtHour);
  static TimeIntervalType hourly(double period, double startingAtMinute);
  static TimeIntervalType minutely(double period, double startingAtSecond);
  static TimeIntervalType secondly(double period, double startingAtMillisecond);
  static TimeIntervalType decisecondly(double period, double startingAtMillisecondOfDecisecond);
  static TimeIntervalType centisecondly(double period, double startingAtMillisecondOfCentisecond);
  static TimeIntervalType millisecondly(double period, double startingAtNanosecondOfMillisecond);
  static TimeIntervalType timeBased(std::optional<std::vector<Time>> values, bool separating);
  static TimeIntervalType visibleTimelineBased(const TimeIntervalType& type);

  // Factories with defaults: an absent period is 1, an absent start 0 for the
  // sub-monthly kinds and 1 (the first day, month or year) for the calendar
  // kinds.
  static TimeIntervalType days(std::optional<double> period,
                               std::optional<double> startingAtHours = std::nullopt);
  static TimeIntervalType weeks(std::optional<double> period,
                                std::optional<int64_t> startingOn = std::nullopt);
  static TimeIntervalType months(std::optional<int64_t> period,
                                 std::optional<int64_t> startingOn = std::nullopt);
  static TimeIntervalType quarters(std::optional<int64_t> period,
                                   std::optional<int64_t> startingOnMonthOfQuarter = std::nullopt);
  static TimeIntervalType years(std::optional<int64_t> period,
                                std::optional<int64_t> startingOnMonth = std::nullopt);
  static TimeIntervalType decades(std::optional<int64_t> period,
                                  std::optional<int64_t> startingOnYearOfDecade = std::nullopt);
  static TimeIntervalType centuries(std::optional<int64_t> period,
                                    std::optional<int64_t> startingOnYearOfCentury = std::nullopt);
  static TimeIntervalType millenia(
      std::optional<int64_t> period,
      std::optional<int64_t> startingOnYearOfMillennium = std::nullopt);
  static TimeIntervalType halfdays(std::optional<double> period,
                                   std::optional<double> startingAtHour = std::nullopt);
  static TimeIntervalType hours(std::optional<double> period,
                                std::optional<double> startingAtMinute = std::nullopt);
  static TimeIntervalType minutes(std::optional<double> period,
                                  std::optional<double> startingAtSecond = std::nullopt);
  static TimeIntervalType seconds(std::optional<double> period,
                                  std::optional<double> startingAtMillisecond = std::nullopt);
  static TimeIntervalType deciseconds(
      std::optional<double> period,
      std::optional<double> startingAtMillisecondOfDecisecond = std::nullopt);
  static TimeIntervalType centiseconds(
      std::optional<double> period,
      std::optional<double> startingAtMillisecondOfCentisecond = std::nullopt);
  static TimeIntervalType milliseconds(
      std::optional<double> period,
      std::optional<double> startingAtNanosecondOfMillisecond = std::nullopt);
  static TimeIntervalType time(std::optional<std::vector<Time>> values, bool separating);
  static TimeIntervalType time(const Time& value, bool separating);
  static TimeIntervalType visibleTimeline(const TimeIntervalType& type);

  // Defaults a host may reassign, each built when first asked for. The unit
  // ones step by 1 from their natural start (`days()` = daily(1, 0),
  // `months()` = monthly(1, 1), likewise for the rest); `time()` has no
  // moments of its own and does not separate, which selects now, and
  // `visibleTimeline()` selects the requested range as a single interval.
  static TimeIntervalType& days();
  static TimeIntervalType& weeks();
  static TimeIntervalType& months();
  static TimeIntervalType& quarters();
  static TimeIntervalType& years();
  static TimeIntervalType& decades();
  static TimeIntervalType& centuries();
  static TimeIntervalType& millenia();
  static TimeIntervalType& halfdays();
  static TimeIntervalType& hours();
  static TimeIntervalType& minutes();
  static TimeIntervalType& seconds();
  static TimeIntervalType& deciseconds();
  static TimeIntervalType& centiseconds();
  static TimeIntervalType& milliseconds();
  static TimeIntervalType& time();
  static TimeIntervalType& visibleTimeline();

  [[nodiscard]] const Value& value() const { return value_; }
  // The payload when the type is of case `Case`, else null.
  template <class Case>
  [[nodiscard]] const Case* as() const {
    return std::get_if<Case>(&value_);
  }

  // Same case and equal payloads: numbers by value, moments by `Time`
  // equality, nested types recursively.
  friend bool operator==(const TimeIntervalType&, const TimeIntervalType&) = default;

 private:
  explicit TimeIntervalType(Value value) : value_(std::move(value)) {}
  Value value_;
};

std::ostream& operator<<(std::ostream& out, const TimeIntervalType& type);

}  // namespace vorlent

template <>
struct std::hash<vorlent::TimeIntervalType> {
  // Combines the case and its payload, agreeing with `==` (-0 and +0 alike,
  // moments normalised, nested types by value).
  size_t operator()(const vorlent::TimeIntervalType& type) const noexcept;
};

#include "vorlent/intervals/time_interval_type.h"

#include <ostream>
#include <type_traits>

#include "vorlent/base/hashing.h"

namespace vorlent {

bool operator==(const TimeIntervalType::VisibleTimelineBased& a,
                const TimeIntervalType::VisibleTimelineBased& b) {
  if (a.type == b.type) return true;
  if (!a.type || !b.type) return false;
  return *a.type == *b.type;
}

TimeIntervalType TimeIntervalType::daily(double period, double startingAtHours) {
  return TimeIntervalType(Daily{period, startingAtHours});
}
TimeIntervalType TimeIntervalType::weekly(double period, int64_t startingOn) {
  return TimeIntervalType(Weekly{period, startingOn});
}
TimeIntervalType TimeIntervalType::monthly(int64_t period, int64_t startingOn) {
  return TimeIntervalType(Monthly{period, startingOn});
}
TimeIntervalType TimeIntervalType::quarterly(int64_t period, int64_t startingOnMonthOfQuarter) {
  return TimeIntervalType(Quarterly{period, startingOnMonthOfQuarter});
}
TimeIntervalType TimeIntervalType::yearly(int64_t period, int64_t startingOnMonth) {
  return TimeIntervalType(Yearly{period, startingOnMonth});
}
TimeIntervalType TimeIntervalType::decennially(int64_t period, int64_t startingOnYearOfDecade) {
  return TimeIntervalType(Decennially{period, startingOnYearOfDecade});
}
TimeIntervalType TimeIntervalType::centennially(int64_t period, int64_t startingOnYearOfCentury) {
  return TimeIntervalType(Centennially{period, startingOnYearOfCentury});
}
TimeIntervalType TimeIntervalType::millennially(int64_t period,
                                                int64_t startingOnYearOfMillennium) {
  return TimeIntervalType(Millennially{period, startingOnYearOfMillennium});
}
TimeIntervalType TimeIntervalType::halfdaily(double period, double startingAtHour) {
  return TimeIntervalType(Halfdaily{period, startingAtHour});
}
TimeIntervalType TimeIntervalType::hourly(double period, double startingAtMinute) {
  return TimeIntervalType(Hourly{period, startingAtMinute});
}
TimeIntervalType TimeIntervalType::minutely(double period, double startingAtSecond) {
  return TimeIntervalType(Minutely{period, startingAtSecond});
}
TimeIntervalType TimeIntervalType::secondly(double period, double startingAtMillisecond) {
  return TimeIntervalType(Secondly{period, startingAtMillisecond});
}
TimeIntervalType TimeIntervalType::decisecondly(double period,
                                                double startingAtMillisecondOfDecisecond) {
  return TimeIntervalType(Decisecondly{period, startingAtMillisecondOfDecisecond});
}
TimeIntervalType TimeIntervalType::centisecondly(double period,
                                                 double startingAtMillisecondOfCentisecond) {
  return TimeIntervalType(Centisecondly{period, startingAtMillisecondOfCentisecond});
}
TimeIntervalType TimeIntervalType::millisecondly(double period,
                                                 double startingAtNanosecondOfMillisecond) {
  return TimeIntervalType(Millisecondly{period, startingAtNanosecondOfMillisecond});
}
TimeIntervalType TimeIntervalType::timeBased(std::optional<std::vector<Time>> values,
                                             bool separating) {
  return TimeIntervalType(TimeBased{std::move(values), separating});
}
TimeIntervalType TimeIntervalType::visibleTimelineBased(const TimeIntervalType& type) {
  return TimeIntervalType(VisibleTimelineBased{std::make_shared<const TimeIntervalType>(type)});
}

TimeIntervalType TimeIntervalType::days(std::optional<double> period,
                                        std::optional<double> startingAtHours) {
  return daily(period.value_or(1), startingAtHours.value_or(0));
}
TimeIntervalType TimeIntervalType::weeks(std::optional<double> period,
                                         std::optional<int64_t> startingOn) {
  return weekly(period.value_or(1), startingOn.value_or(0));
}
TimeIntervalType TimeIntervalType::months(std::optional<int64_t> period,
                                          std::optional<int64_t> startingOn) {
  return monthly(period.value_or(1), startingOn.value_or(1));
}
TimeIntervalType TimeIntervalType::quarters(std::optional<int64_t> period,
                                            std::optional<int64_t> startingOnMonthOfQuarter) {
  return quarterly(period.value_or(1), startingOnMonthOfQuarter.value_or(1));
}
TimeIntervalType TimeIntervalType::years(std::optional<int64_t> period,
                                         std::optional<int64_t> startingOnMonth) {
  return yearly(period.value_or(1), startingOnMonth.value_or(1));
}
TimeIntervalType TimeIntervalType::decades(std::optional<int64_t> period,
                                           std::optional<int64_t> startingOnYearOfDecade) {
  return decennially(period.value_or(1), startingOnYearOfDecade.value_or(1));
}
TimeIntervalType TimeIntervalType::centuries(std::optional<int64_t> period,
                                             std::optional<int64_t> startingOnYearOfCentury) {
  return centennially(period.value_or(1), startingOnYearOfCentury.value_or(1));
}
TimeIntervalType TimeIntervalType::millenia(std::optional<int64_t> period,
                                            std::optional<int64_t> startingOnYearOfMillennium) {
  return millennially(period.value_or(1), startingOnYearOfMillennium.value_or(1));
}
TimeIntervalType TimeIntervalType::halfdays(std::optional<double> period,
                                            std::optional<double> startingAtHour) {
  return halfdaily(period.value_or(1), startingAtHour.value_or(0));
}
TimeIntervalType TimeIntervalType::hours(std::optional<double> period,
                                         std::optional<double> startingAtMinute) {
  return hourly(period.value_or(1), startingAtMinute.value_or(0));
}
TimeIntervalType TimeIntervalType::minutes(std::optional<double> period,
                                           std::optional<double> startingAtSecond) {
  return minutely(period.value_or(1), startingAtSecond.value_or(0));
}
TimeIntervalType TimeIntervalType::seconds(std::optional<double> period,
                                           std::optional<double> startingAtMillisecond) {
  return secondly(period.value_or(1), startingAtMillisecond.value_or(0));
}
TimeIntervalType TimeIntervalType::deciseconds(
    std::optional<double> period, std::optional<double> startingAtMillisecondOfDecisecond) {
  return decisecondly(period.value_or(1), startingAtMillisecondOfDecisecond.value_or(0));
}
TimeIntervalType TimeIntervalType::centiseconds(
    std::optional<double> period, std::optional<double> startingAtMillisecondOfCentisecond) {
  return centisecondly(period.value_or(1), startingAtMillisecondOfCentisecond.value_or(0));
}
TimeIntervalType TimeIntervalType::milliseconds(
    std::optional<double> period, std::optional<double> startingAtNanosecondOfMillisecond) {
  return millisecondly(period.value_or(1), startingAtNanosecondOfMillisecond.value_or(0));
}
TimeIntervalType TimeIntervalType::time(std::optional<std::vector<Time>> values, bool separating) {
  return timeBased(std::move(values), separating);
}
TimeIntervalType TimeIntervalType::time(const Time& value, bool separating) {
  return timeBased(std::vector<Time>{value}, separating);
}
TimeIntervalType TimeIntervalType::visibleTimeline(const TimeIntervalType& type) {
  return visibleTimelineBased(type);
}

TimeIntervalType& TimeIntervalType::days() {
  static TimeIntervalType value = daily(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::weeks() {
  static TimeIntervalType value = weekly(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::months() {
  static TimeIntervalType value = monthly(1, 1);
  return value;
}
TimeIntervalType& TimeIntervalType::quarters() {
  static TimeIntervalType value = quarterly(1, 1);
  return value;
}
TimeIntervalType& TimeIntervalType::years() {
  static TimeIntervalType value = yearly(1, 1);
  return value;
}
TimeIntervalType& TimeIntervalType::decades() {
  static TimeIntervalType value = decennially(1, 1);
  return value;
}
TimeIntervalType& TimeIntervalType::centuries() {
  static TimeIntervalType value = centennially(1, 1);
  return value;
}
TimeIntervalType& TimeIntervalType::millenia() {
  static TimeIntervalType value = millennially(1, 1);
  return value;
}
TimeIntervalType& TimeIntervalType::halfdays() {
  static TimeIntervalType value = halfdaily(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::hours() {
  static TimeIntervalType value = hourly(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::minutes() {
  static TimeIntervalType value = minutely(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::seconds() {
  static TimeIntervalType value = secondly(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::deciseconds() {
  static TimeIntervalType value = decisecondly(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::centiseconds() {
  static TimeIntervalType value = centisecondly(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::milliseconds() {
  static TimeIntervalType value = millisecondly(1, 0);
  return value;
}
TimeIntervalType& TimeIntervalType::time() {
  static TimeIntervalType value = timeBased(std::nullopt, false);
  return value;
}
TimeIntervalType& TimeIntervalType::visibleTimeline() {
  static TimeIntervalType value = visibleTimelineBased(timeBased(std::vector<Time>{}, true));
  return value;
}

namespace {

// Every case but the two last holds a period and a start; the structs name
// them differently, so they are reached by position.
template <class Case>
std::pair<double, double> periodAndStart(const Case& c) {
  const auto& [period, start] = c;
  return {static_cast<double>(period), static_cast<double>(start)};
}

const char* caseName(const TimeIntervalType::Value& value) {
  static constexpr const char* kNames[] = {"daily",
                                           "weekly",
                                           "monthly",
                                           "quarterly",
                                           "yearly",
                                           "decennially",
                                           "centennially",
                                           "millennially",
                                           "halfdaily",
                                           "hourly",
                                           "minutely",
                                           "secondly",
                                           "decisecondly",
                                           "centisecondly",
                                           "millisecondly",
                                           "timeBased",
                                           "visibleTimelineBased"};
  return kNames[value.index()];
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const TimeIntervalType& type) {
  out << caseName(type.value()) << '(';
  std::visit(
      [&out](const auto& c) {
        using Case = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<Case, TimeIntervalType::TimeBased>) {
          if (!c.values) {
            out << "current";
          } else {
            out << '[';
            for (size_t i = 0; i < c.values->size(); ++i) out << (i ? ", " : "") << (*c.values)[i];
            out << ']';
          }
          out << ", " << (c.separating ? "separating" : "momentary");
        } else if constexpr (std::is_same_v<Case, TimeIntervalType::VisibleTimelineBased>) {
          if (c.type) out << *c.type;
        } else {
          const auto [period, start] = periodAndStart(c);
          out << period << ", " << start;
        }
      },
      type.value());
  return out << ')';
}

}  // namespace vorlent

size_t std::hash<vorlent::TimeIntervalType>::operator()(
    const vorlent::TimeIntervalType& type) const noexcept {
  using vorlent::TimeIntervalType;
  using vorlent::detail::hashCombine;
  using vorlent::detail::hashDouble;
  size_t seed = type.value().index();
  std::visit(
      [&seed](const auto& c) {
        using Case = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<Case, TimeIntervalType::TimeBased>) {
          hashCombine(seed, c.values.has_value());
          if (c.values) {
            for (const auto& t : *c.values) hashCombine(seed, std::hash<vorlent::Time>{}(t));
          }
          hashCombine(seed, c.separating);
        } else if constexpr (std::is_same_v<Case, TimeIntervalType::VisibleTimelineBased>) {
          if (c.type) hashCombine(seed, std::hash<TimeIntervalType>{}(*c.type));
        } else {
          // Payloads are double or int64_t depending on the case.
          const auto hashNumber = [](auto number) -> size_t {
            if constexpr (std::is_floating_point_v<decltype(number)>) {
              return hashDouble(number);
            } else {
              return std::hash<int64_t>{}(number);
            }
          };
          const auto& [period, start] = c;
          hashCombine(seed, hashNumber(period));
          hashCombine(seed, hashNumber(start));
        }
      },
      type.value());
  return seed;
}

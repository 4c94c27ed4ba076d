#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vorlent/time/excluded_time_interval_provider.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_definition_provider.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_range.h"

// Shorthands for calendar tests.
namespace vorlent::testing {

// The week most examples use; far from the epoch so that nothing depends on
// week 0.
inline constexpr int64_t kWeek = 100;

// `hours`:`minutes` on `day` of `week`, stored as given (24 h stays 24:00).
inline Time on(int64_t day, double hours, double minutes = 0, int64_t week = kWeek) {
  return {week, day, hours * secondsPerHour + minutes * 60};
}

inline double hours(double value) { return value * secondsPerHour; }

// Asserts the stored fields, not only the moment: `==` hides 24:00 vs 0:00.
inline bool sameFields(const Time& a, const Time& b) {
  return a.week == b.week && a.dayOfWeek == b.dayOfWeek && a.timeOfDay == b.timeOfDay;
}

// A provider that answers a fixed calendar and counts the exclusion queries it
// receives.
class FixedProvider : public ScheduleDefinitionProvider {
 public:
  FixedProvider(WeekRange days, DayRange hours, std::vector<TimeRange> excluded = {})
      : days_(days), hours_(hours), excluded_(std::move(excluded)) {}
  WeekRange weekInterval() const override { return days_; }
  DayRange dayInterval() const override { return hours_; }
  // Every interval, whatever the span: the passes must cope with that.
  std::vector<TimeRange> excludedIntervalsFor(const Time&, const Time&) const override {
    ++queries;
    return excluded_;
  }
  mutable int64_t queries = 0;

 private:
  WeekRange days_;
  DayRange hours_;
  std::vector<TimeRange> excluded_;
};

// Excluded intervals returned whatever the span (as a careless host would).
class EverythingProvider : public ExcludedTimeIntervalProvider {
 public:
  explicit EverythingProvider(std::vector<TimeRange> excluded) : excluded_(std::move(excluded)) {}
  std::vector<TimeRange> excludedIntervalsFor(const Time&, const Time&) const override {
    ++queries;
    return excluded_;
  }
  mutable int64_t queries = 0;

 private:
  std::vector<TimeRange> excluded_;
};

inline std::shared_ptr<Schedule> makeSchedule(WeekRange days, DayRange hours,
                                              std::vector<TimeRange> excluded = {}) {
  return std::make_shared<Schedule>(days, hours, std::move(excluded));
}

}  // namespace vorlent::testing

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vorlent/time/day_range.h"
#include "vorlent/time/schedule_definition_provider.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_scale.h"
#include "vorlent/time/time_unit.h"
#include "vorlent/time/week_range.h"

namespace vorlent {

class Schedule;
class ScheduleIntersection;

// A working-time calendar: working days, working hours of each working day,
// and excluded intervals, with the arithmetic of working time on them.
//
// Subclasses (and the weak provider of the base class) customise a calendar
// only through its four definition members, `weekInterval`, `dayInterval`,
// `excludedIntervalsFor` and `hasExcludedIntervals`. Everything else is
// computed from those four and is not virtual: the operations call one another
// directly, so a subclass cannot change one operation without the others
// following.
//
// Conventions shared by every operation:
// - Working days and hours are judged after clipping the ranges to the week
//   (days 0...6) and to the day (0:00...24:00). A calendar with no working time
//   left (empty hours, a week range that ends before it starts) answers at
//   once: durations are 0, stepping returns the given instant, `times` is
//   empty and `timeouts` the whole range.
// - Forward questions treat the start of working hours and of an excluded
//   interval as working or excluded and their end as not; backward questions
//   the reverse. An excluded interval given finish first acts as the same
//   interval in order; one of zero length excludes nothing.
// - Computed starts and next working instants are handed back in the 0:00
//   form, computed finishes in the 24:00 form (`Time::asStart`/`asFinish`);
//   comparisons never tell the two apart.
// - Arguments are read on the grid first: a day of the week outside 0...6 or
//   a negative time of day names the moment it lands on (Tuesday 10:00 may be
//   written as day -5 of the next week). An argument handed back (an idle
//   moment is its own timeout, a cut interval ends at the range's finish)
//   comes back in that grid form, written with the caller's 24:00 or 0:00.
// - Durations and steps count whole weeks at once wherever no exclusion lies,
//   so their cost follows the exclusions between the two ends, not the span.
// - Excluded intervals that cover all time after (before) an instant make
//   `nextTime` (`previousTime`) stop at `Time::max()` (`Time::min()`). Every
//   walk over working stretches stops when a step makes no progress, so no
//   calendar makes an operation loop without end.
//
// Reference type: hold it in a `std::shared_ptr` (`intersecting` needs that).
class ScheduleDefinition : public std::enable_shared_from_this<ScheduleDefinition> {
 public:
  // Without a provider (or once it has gone) the calendar is continuous: every
  // instant is working.
  explicit ScheduleDefinition(
      const std::shared_ptr<ScheduleDefinitionProvider>& provider = nullptr);
  virtual ~ScheduleDefinition() = default;
  ScheduleDefinition(const ScheduleDefinition&) = delete;
  ScheduleDefinition& operator=(const ScheduleDefinition&) = delete;

  // Presets, each one shared instance made on first use: every day all day;
  // Monday to Friday 8:00-16:00; every day 8:00-16:00; Monday to Friday all
  // day. None has excluded intervals.
  static std::shared_ptr<Schedule> continuous();
  static std::shared_ptr<Schedule> standard();
  static std::shared_ptr<Schedule> fullWeek();
  static std::shared_ptr<Schedule> fullDay();

  // --- Definition members -------------------------------------------------
  // The provider's working days, else Sunday to Saturday.
  [[nodiscard]] virtual WeekRange weekInterval() const;
  // The provider's working hours, else 0:00 to 24:00.
  [[nodiscard]] virtual DayRange dayInterval() const;
  // The provider's answer, unchanged; none without a provider. See
  // `ExcludedTimeIntervalProvider` for what may be returned.
  [[nodiscard]] virtual std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                                    const Time& limit) const;
  // Whether excluded intervals can apply at all (here: a provider is set).
  // When false no exclusion is looked up and whole weeks are counted at once.
  [[nodiscard]] virtual bool hasExcludedIntervals() const;

  // Held weakly; null once the host has released it.
  [[nodiscard]] std::shared_ptr<ScheduleDefinitionProvider> provider() const {
    return provider_.lock();
  }
  void setProvider(const std::shared_ptr<ScheduleDefinitionProvider>& provider) {
    provider_ = provider;
  }

  // --- Working instants and stretches -------------------------------------
  // The first working instant at or after `time`, in 0:00 form.
  [[nodiscard]] Time nextTime(const Time& time) const;
  // The last working instant at or before `time`, in 24:00 form.
  [[nodiscard]] Time previousTime(const Time& time) const;
  // The end of the working stretch containing `time` (read in its 0:00 form),
  // or `time` itself, as written, when it is not working: Friday 24:00 stays
  // Friday 24:00 though Saturday 0:00 is the same moment. `Time::max()` when
  // nothing ends the stretch.
  [[nodiscard]] Time nextTimeout(const Time& time) const;
  // The start of the working stretch containing `time` (read in its 24:00
  // form), or `time` itself, as written, when it is not working;
  // `Time::min()` when nothing begins the stretch.
  [[nodiscard]] Time previousTimeout(const Time& time) const;

  // --- Durations and stepping ---------------------------------------------
  // Working time from `from` to `to` in `unit` (a day is the working hours of
  // one day, a week those of one week); negative when `to` lies before `from`.
  [[nodiscard]] double duration(const Time& from, const Time& to,
                                TimeUnit unit = TimeUnit::seconds) const;
  [[nodiscard]] double duration(const TimeRange& range, TimeUnit unit = TimeUnit::seconds) const;

  // The instant at which `amount` of working time counted from `from` ends, in
  // 24:00 form; a negative amount counts backward. An amount that fills a
  // stretch exactly ends at the stretch's end, never at the next one's start.
  // NaN returns `from`; +infinity gives `Time::max()`, -infinity `Time::min()`.
  [[nodiscard]] Time finish(const Time& from, double amount,
                            TimeUnit unit = TimeUnit::seconds) const;
  // As `finish(from, amount, unit)`; `skippingWeeks` false walks every
  // working stretch instead of counting whole weeks at once (results agree
  // exactly for whole seconds, and to rounding otherwise), so its cost grows
  // with the stretches crossed: a check on the week counting, not a form for
  // long amounts.
  [[nodiscard]] Time finish(const Time& from, double amount, TimeUnit unit,
                            bool skippingWeeks) const;
  // The instant from which `amount` of working time ends at `to`, in 0:00
  // form; a negative amount counts forward. NaN returns `to`; +infinity gives
  // `Time::min()`, -infinity `Time::max()`.
  [[nodiscard]] Time start(const Time& to, double amount, TimeUnit unit = TimeUnit::seconds) const;
  [[nodiscard]] Time start(const Time& to, double amount, TimeUnit unit, bool skippingWeeks) const;

  // --- Scales and lists -----------------------------------------------------
  // `time` snapped to the scale's grid counted in working time from the
  // scale's origin, then moved to the next working instant (so a boundary at
  // the end of working hours snaps to the next working start). A continuous
  // scale, a zero or non-finite period and a calendar without working time
  // return `time` unchanged.
  [[nodiscard]] Time rounding(const Time& time, const TimeScale& scale) const;
  // The working intervals of the range, in order; [] when it ends before it
  // starts. An interval cut by the range's finish ends in the caller's form.
  // At most `kMaxSelectedIntervals`, the earliest: a range over all of time
  // holds tens of millions of stretches, and the cost follows the list.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const;
  // The non-working intervals of the range, in order, none of them empty; at
  // most `kMaxSelectedIntervals`, the earliest.
  [[nodiscard]] std::vector<TimeRange> timeouts(const TimeRange& range) const;

  // --- Derived values (excluded intervals are not looked at) ---------------
  // Working hours of one day, clipped to the day; 0 when there are none.
  [[nodiscard]] double hoursPerDay() const;
  // Working days of one week, clipped to the week; 0 when there are none.
  [[nodiscard]] int64_t daysPerWeek() const;
  [[nodiscard]] double hoursPerWeek() const;
  // Seconds of working time in one day and in one week (without exclusions).
  [[nodiscard]] double dayDuration() const;
  [[nodiscard]] double weekDuration() const;
  [[nodiscard]] bool isFullDay() const;
  [[nodiscard]] bool isFullWeek() const;
  // Full week and full day, whatever the excluded intervals.
  [[nodiscard]] bool isContinuous() const;
  // Full week, full day and no excluded interval of non-zero length meets the
  // range.
  [[nodiscard]] bool isContinuous(const TimeRange& during) const;

  // The working time common to this calendar and `other` (this one first), or
  // null when they share no working days or hours. This calendar must be owned
  // by a `std::shared_ptr`; anything else is a fatal stop.
  [[nodiscard]] std::shared_ptr<ScheduleIntersection> intersecting(
      const std::shared_ptr<ScheduleDefinition>& other) const;
  // The intersection, or this calendar itself when `other` is null or the two
  // share no working time.
  [[nodiscard]] std::shared_ptr<ScheduleDefinition> optionallyIntersecting(
      const std::shared_ptr<ScheduleDefinition>& other) const;

 private:
  std::weak_ptr<ScheduleDefinitionProvider> provider_;
};

}  // namespace vorlent

// The presets are `Schedule`s; make the type complete for every user of this
// header. (schedule.h includes this header first, so the cycle is harmless.)
#include "vorlent/time/schedule.h"

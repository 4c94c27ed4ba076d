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

// Which days of the week are worked, which hours of those days, and which
// further intervals are taken out, together with the working-time arithmetic
// built on them.
//
// A calendar is defined by four virtual members alone: `weekInterval`,
// `dayInterval`, `excludedIntervalsFor` and `hasExcludedIntervals` (the base
// class reads them from its weak provider). The arithmetic is non-virtual and
// derived from those four, each operation calling the others without
// dispatch, so a subclass changes all of them together or none.
//
// Rules common to all operations:
// - The week range is clipped to Sunday...Saturday and the day range to
//   0:00...24:00 before use. When that leaves nothing to work (an empty day
//   range, a week range whose finish precedes its start), every operation
//   returns immediately: durations are 0, stepping hands back its argument,
//   `times` lists nothing and `timeouts` the whole range.
// - Boundaries are half-open in the direction of travel: going forward, the
//   first instant of the working hours or of an exclusion belongs to it and
//   the last does not; going backward it is the other way round. An exclusion
//   given finish first reads the same as one given start first; an empty one
//   removes nothing.
// - Results that begin something (starts, next working instants) spell
//   midnight 0:00, results that end something (finishes) spell it 24:00
//   (`Time::asStart`/`asFinish`); comparisons treat both spellings alike.
// - Arguments are normalised onto the grid first, so an out-of-range day of
//   the week or a negative time of day denotes the instant it reaches (day -5
//   of next week at 10:00 is this week's Tuesday 10:00). When an argument is
//   itself the answer (a non-working instant as its own timeout, a range
//   finish cutting the last interval), it comes back normalised, with
//   midnight spelt as the caller spelt it.
// - Where no exclusion lies, durations and steps jump whole weeks in one go;
//   their cost grows with the exclusions crossed, not with the distance.
// - When exclusions leave no working time after (before) some instant,
//   `nextTime` (`previousTime`) ends at `Time::max()` (`Time::min()`). Every
//   stretch walk ends once a step fails to advance and the interval lists end
//   at `kMaxSelectedIntervals`, so no calendar, however built, keeps an
//   operation running for ever.
//
// Reference type, owned through a `std::shared_ptr` (which `intersecting`
// relies on).
class ScheduleDefinition : public std::enable_shared_from_this<ScheduleDefinition> {
 public:
  // With no provider, or after the provider has been released, all time is
  // working time.
  explicit ScheduleDefinition(
      const std::shared_ptr<ScheduleDefinitionProvider>& provider = nullptr);
  virtual ~ScheduleDefinition() = default;
  ScheduleDefinition(const ScheduleDefinition&) = delete;
  ScheduleDefinition& operator=(const ScheduleDefinition&) = delete;

  // Shared presets, each built once on first use and free of exclusions:
  // around the clock, seven days; Monday to Friday 8:00-16:00; 8:00-16:00
  // seven days; Monday to Friday around the clock.
  static std::shared_ptr<Schedule> continuous();
  static std::shared_ptr<Schedule> standard();
  static std::shared_ptr<Schedule> fullWeek();
  static std::shared_ptr<Schedule> fullDay();

  // --- Definition members -------------------------------------------------
  // The provider's working days, else Sunday to Saturday.
  [[nodiscard]] virtual WeekRange weekInterval() const;
  // The provider's working hours, else 0:00 to 24:00.
  [[nodiscard]] virtual DayRange dayInterval() const;
  // Passed straight through from the provider; empty without one. What an
  // answer may hold is described on `ExcludedTimeIntervalProvider`.
  [[nodiscard]] virtual std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                                    const Time& limit) const;
  // False promises that nothing is ever excluded, which lets the arithmetic
  // skip every lookup and count whole weeks at once. The base class answers
  // whether a provider is set.
  [[nodiscard]] virtual bool hasExcludedIntervals() const;

  // Held weakly; nullptr after the host has released it.
  [[nodiscard]] std::shared_ptr<ScheduleDefinitionProvider> provider() const {
    return provider_.lock();
  }
  void setProvider(const std::shared_ptr<ScheduleDefinitionProvider>& provider) {
    provider_ = provider;
  }

  // --- Working instants and stretches -------------------------------------
  // `time` when it is working, else the start of the next working stretch;
  // midnight spelt 0:00.
  [[nodiscard]] Time nextTime(const Time& time) const;
  // `time` when it is working (judged backward), else the end of the previous
  // working stretch; midnight spelt 24:00.
  [[nodiscard]] Time previousTime(const Time& time) const;
  // Where the working stretch around `time` (taken in its 0:00 spelling)
  // closes; `Time::max()` for a stretch that never closes. A non-working
  // `time` is its own answer, midnight spelling included: Friday 24:00 comes
  // back as Friday 24:00 although it equals Saturday 0:00.
  [[nodiscard]] Time nextTimeout(const Time& time) const;
  // Where the working stretch around `time` (taken in its 24:00 spelling)
  // opened; `Time::min()` for a stretch that never opened. A non-working
  // `time` is its own answer, spelt as given.
  [[nodiscard]] Time previousTimeout(const Time& time) const;

  // --- Durations and stepping ---------------------------------------------
  // How much working time separates `from` and `to`, in `unit`, where a day
  // means one day's working hours and a week one week's; below zero when `to`
  // comes first.
  [[nodiscard]] double duration(const Time& from, const Time& to,
                                TimeUnit unit = TimeUnit::seconds) const;
  [[nodiscard]] double duration(const TimeRange& range, TimeUnit unit = TimeUnit::seconds) const;

  // Where `amount` of working time, counted on from `from`, runs out (midnight
  // spelt 24:00); a negative `amount` counts back instead. Running out exactly
  // as a stretch closes answers that close, not the opening of the stretch
  // after. A NaN amount answers `from`, +infinity `Time::max()` and -infinity
  // `Time::min()`.
  [[nodiscard]] Time finish(const Time& from, double amount,
                            TimeUnit unit = TimeUnit::seconds) const;
  // `finish(from, amount, unit)`, or with `skippingWeeks` false the same
  // answer found by visiting every working stretch rather than jumping whole
  // weeks (equal for whole seconds, equal up to rounding otherwise). Visiting
  // costs a step per stretch crossed: it checks the jumps, and is no form for
  // long amounts.
  [[nodiscard]] Time finish(const Time& from, double amount, TimeUnit unit,
                            bool skippingWeeks) const;
  // Where `amount` of working time has to begin to run out at `to` (midnight
  // spelt 0:00); a negative `amount` counts forward instead. A NaN amount
  // answers `to`, +infinity `Time::min()` and -infinity `Time::max()`.
  // `skippingWeeks` as for `finish`.
  [[nodiscard]] Time start(const Time& to, double amount, TimeUnit unit = TimeUnit::seconds) const;
  [[nodiscard]] Time start(const Time& to, double amount, TimeUnit unit, bool skippingWeeks) const;

  // --- Scales and lists -----------------------------------------------------
  // `time` snapped, by the scale's rounding rule, to a grid whose lines lie
  // whole periods of working time apart from the scale's origin, then carried
  // to `nextTime`: a line falling where a working day closes becomes the
  // opening of the next stretch. `time` comes back unchanged for a continuous
  // scale, a period that is zero or not finite, and a calendar without
  // working time.
  [[nodiscard]] Time rounding(const Time& time, const TimeScale& scale) const;
  // Each working stretch within `range`, clipped to it, earliest first; empty
  // when `range` finishes before it starts. A stretch cut off by the range's
  // finish ends with the caller's spelling of it. Only the first
  // `kMaxSelectedIntervals` are listed: all of time holds tens of millions of
  // stretches, and the cost grows with the list.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const;
  // Each stretch of `range` outside working time, clipped to it, earliest
  // first and never empty; likewise only the first `kMaxSelectedIntervals`.
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
  // Every day worked around the clock; exclusions are not considered.
  [[nodiscard]] bool isContinuous() const;
  // As `isContinuous()`, and besides the calendar reports no non-empty
  // exclusion for `during`.
  [[nodiscard]] bool isContinuous(const TimeRange& during) const;

  // A calendar working only when both this one and `other` work (members in
  // that order); nullptr when they have no working day or no working hour in
  // common. Calling it on a calendar not owned by a `std::shared_ptr` is a
  // fatal stop.
  [[nodiscard]] std::shared_ptr<ScheduleIntersection> intersecting(
      const std::shared_ptr<ScheduleDefinition>& other) const;
  // `intersecting(other)`, falling back to this calendar itself when `other`
  // or the intersection is nullptr.
  [[nodiscard]] std::shared_ptr<ScheduleDefinition> optionallyIntersecting(
      const std::shared_ptr<ScheduleDefinition>& other) const;

 private:
  std::weak_ptr<ScheduleDefinitionProvider> provider_;
};

}  // namespace vorlent

// The presets are `Schedule`s; make the type complete for every user of this
// header. (schedule.h includes this header first, so the cycle is harmless.)
#include "vorlent/time/schedule.h"

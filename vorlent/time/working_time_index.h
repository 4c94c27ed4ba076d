#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// The working stretches of one calendar over a span, with the working time
// before each, so that working durations and the instants reached after an
// amount of working time are found by binary search instead of by walking
// the calendar stretch by stretch. A calendar with holidays takes a walk
// through every stretch between two instants; the chart asks such questions
// for every bar and every pointer position, over timelines of years.
//
// Answers agree with the calendar's own operations (to rounding of the
// summed seconds). Beyond the indexed span the calendar is asked, but only
// about the part beyond it, so a question just past the span's end costs
// what that overshoot costs. An empty index, a zero amount (whose answer
// depends on the direction the calendar looks in) or a time held outside the
// usual day and time-of-day ranges gives nullopt; the caller then asks the
// calendar. The table is a snapshot: index only a calendar whose answers
// never change.
class WorkingTimeIndex {
 public:
  // Spans longer than this are not indexed (their table would cost more
  // memory than walking costs time).
  static constexpr double kMaxSpanSeconds = 100.0 * 366 * 86400;

  // Makes the index cover `span` of `schedule` (and a margin around it),
  // rebuilding it when it was made for another calendar or does not reach
  // that far. A span that is not entropic, too long, or beyond the time
  // grid's ends leaves the index empty.
  void prepare(const std::shared_ptr<ScheduleDefinition>& schedule, const TimeRange& span);
  // Forgets everything.
  void reset();
  [[nodiscard]] bool isEmpty() const { return schedule_ == nullptr; }
  // Whether the index was made for this very calendar.
  [[nodiscard]] bool isFor(const ScheduleDefinition* schedule) const {
    return schedule_.get() == schedule;
  }

  // `schedule.duration(from, to)` in seconds.
  [[nodiscard]] std::optional<double> duration(const Time& from, const Time& to) const;
  // `schedule.finish(from, seconds)` for a positive amount.
  [[nodiscard]] std::optional<Time> finish(const Time& from, double seconds) const;
  // `schedule.start(to, seconds)` for a positive amount.
  [[nodiscard]] std::optional<Time> start(const Time& to, double seconds) const;
  // `schedule.nextTime(schedule.finish(from, seconds))` for any amount.
  [[nodiscard]] std::optional<Time> nextTimeAfter(const Time& from, double seconds) const;

 private:
  struct Stretch {
    Time start;
    Time finish;
    double startOffset;   // calendar seconds from origin_
    double finishOffset;  // calendar seconds from origin_
    double workedBefore;  // working seconds from origin_ to `start`
  };

  // Working seconds from origin_ to `time`, negative before the span;
  // nullopt for a time the calendar must read itself.
  [[nodiscard]] std::optional<double> workedUntil(const Time& time) const;
  // The instant where `worked` (strictly between 0 and the total) working
  // seconds from origin_ are reached: at a stretch's end the next stretch's
  // start (`atFinish` false) or that end itself (`atFinish` true).
  [[nodiscard]] Time instantAt(double worked, bool atFinish) const;
  [[nodiscard]] double totalWorked() const;

  std::shared_ptr<ScheduleDefinition> schedule_;
  TimeRange covered_;
  Time origin_;
  double coveredSeconds_ = 0;
  std::vector<Stretch> stretches_;
};

}  // namespace vorlent

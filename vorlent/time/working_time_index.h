#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
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
//
// A table whose every stretch starts and ends on a whole second also gives
// exact answers (`exact...`): for whole-second instants and amounts all its
// sums are whole numbers, so they equal the calendar's own walk to the last
// bit, spelling of midnight included. A calendar answers from such a table
// itself (see `Schedule`).
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
  // Makes the index cover exactly `covered` of `schedule`, without holding
  // the calendar: only the exact answers are then given. False (and empty)
  // when `covered` is not entropic, too long or near the grid's ends, or its
  // stretches do not all lie on whole seconds.
  bool buildExact(const ScheduleDefinition& schedule, const TimeRange& covered);
  // Lets the exact table just built answer about any week, each question
  // moved by whole weeks into the covered span and its answer moved back:
  // only sound for a calendar whose working time is the same every week,
  // without exclusions. Forgotten by the next build.
  void answerEveryWeek() { repeatsWeekly_ = true; }
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

  // The calendar's answers, exactly, for whole-second instants on the grid
  // (day 0...6, 0:00...24:00) within the covered span and whole positive
  // amounts whose result lies strictly within the indexed working time;
  // nullopt otherwise, and the calendar then walks. `from` <= `to`.
  [[nodiscard]] std::optional<double> exactDuration(const Time& from, const Time& to) const;
  [[nodiscard]] std::optional<Time> exactFinish(const Time& from, double seconds) const;
  [[nodiscard]] std::optional<Time> exactStart(const Time& to, double seconds) const;
  // `nextTime(time)` and `previousTime(time)`, exactly, under the same
  // conditions: the answer must lie within the indexed working time.
  [[nodiscard]] std::optional<Time> exactNextTime(const Time& time) const;
  [[nodiscard]] std::optional<Time> exactPreviousTime(const Time& time) const;
  // What the table holds, in bytes.
  [[nodiscard]] size_t memoryBytes() const {
    return stretches_.capacity() * sizeof(Stretch) + startTimes_.capacity() * sizeof(Time) +
           (startOffsets_.capacity() + workedBefore_.capacity()) * sizeof(double) +
           (startsBeforeDay_.capacity() + firstReachingBucket_.capacity()) * sizeof(uint32_t);
  }

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
  // The entries of `workedBefore_` among which `worked` falls (as a range
  // to search; the whole array when the buckets cannot tell).
  [[nodiscard]] std::pair<size_t, size_t> entriesAround(double worked) const;
  // How many stretches start at or before `offset` (within 0...coveredSeconds_).
  [[nodiscard]] size_t stretchesStartingBy(double offset) const;
  // Lists the stretches of `covered`; false when there are too many to list.
  bool fill(const ScheduleDefinition& schedule, const TimeRange& covered);
  // Where an instant lies in an exact table: the working seconds from
  // origin_ up to it, and how many stretches start at or before it.
  struct ExactPlace {
    double worked;
    size_t stretchesBefore;
  };
  // `workedUntil` from the table alone, with the stretches started by
  // then, for an exact table and a whole-second instant within the covered
  // span; nullopt otherwise.
  [[nodiscard]] std::optional<ExactPlace> exactPlaceOf(const Time& time) const;
  // `instantAt` from the small arrays alone, for an exact table: whole
  // seconds add up exactly whichever instant they are counted from. `near`
  // is a stretch at or near the one the amount ends in (a guess; any value
  // gives the same answer), so that an amount of a few stretches is found
  // in a few steps rather than by a search.
  [[nodiscard]] Time exactInstantAt(double worked, bool atFinish, size_t near) const;
  // For a table with stretches: the first entry of `workedBefore_`, from
  // the second on, that reaches `worked`, and the last stretch whose entry
  // lies at or below it (`worked` >= 0). Looked for a few stretches either
  // side of stretch `near` first, then searched in the buckets around
  // `worked`.
  [[nodiscard]] size_t firstReaching(double worked, size_t near) const;
  [[nodiscard]] size_t lastStartingBy(double worked, size_t near) const;
  // `lastStartingBy` by the search alone.
  [[nodiscard]] size_t searchLastStartingBy(double worked) const;
  // The whole weeks a question about `time` is moved back by before the
  // table reads it when it answers about every week; nullopt where counting
  // them would overflow. Moving `time` itself back by them cannot.
  [[nodiscard]] std::optional<int64_t> weeksOff(const Time& time) const;
  // `time` moved by whole weeks; nullopt past the ends of the week count.
  [[nodiscard]] static std::optional<Time> movedBack(Time time, int64_t weeks);
  [[nodiscard]] static std::optional<Time> movedOn(std::optional<Time> time, int64_t weeks);
  // `ask` about `time` moved back by `weeksOff(time)`, its answer moved on
  // again; nullopt where either move overflows.
  template <class Ask>
  auto askedInAnyWeek(const Time& time, const Ask& ask) const -> decltype(ask(time));
  // The exact answers about instants as they stand, within the covered span.
  [[nodiscard]] std::optional<double> durationInSpan(const Time& from, const Time& to) const;
  [[nodiscard]] std::optional<Time> finishInSpan(const Time& from, double seconds) const;
  [[nodiscard]] std::optional<Time> startInSpan(const Time& to, double seconds) const;
  [[nodiscard]] std::optional<Time> nextTimeInSpan(const Time& time) const;
  [[nodiscard]] std::optional<Time> previousTimeInSpan(const Time& time) const;
  // `origin_` moved on by `startOffsets_[k] + inside` (whole, below 2^53)
  // calendar seconds, read off where stretch `k` starts when that lands on
  // the same day.
  [[nodiscard]] Time exactTimeAt(size_t k, double inside) const;

  std::shared_ptr<ScheduleDefinition> schedule_;
  TimeRange covered_;
  Time origin_;
  double coveredSeconds_ = 0;
  std::vector<Stretch> stretches_;
  // The stretches' start offsets alone, and for each day of the span how
  // many stretches start before it: a search looks at one day's stretches in
  // a small array instead of halving the whole table.
  std::vector<double> startOffsets_;
  // For an exact table, where each stretch starts, as `origin_` moved on by
  // its start offset.
  std::vector<Time> startTimes_;
  // Each stretch's `workedBefore`, then the total.
  std::vector<double> workedBefore_;
  // Working time split into buckets of `workedBucket_` seconds, with the
  // first entry of `workedBefore_` reaching each, for the same purpose.
  double workedBucket_ = 0;
  std::vector<uint32_t> firstReachingBucket_;
  std::vector<uint32_t> startsBeforeDay_;
  // Every stretch offset is a whole number of seconds.
  bool exact_ = false;
  // See `answerEveryWeek`.
  bool repeatsWeekly_ = false;
};

}  // namespace vorlent

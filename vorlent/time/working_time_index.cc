#include "vorlent/controllers/working_time_index.h"

#include <algorithm>
#include <cmath>

#include "vorlent/time/time_constants.h"

namespace vorlent {

namespace {

// Weeks kept clear of the time grid's ends, so that widening a span by its
// margin never leaves the grid.
constexpr int64_t kWeeksClearOfGridEnds = 8000;
constexpr double kMinMarginSeconds = 4.0 * 7 * 86400;

}  // namespace

void WorkingTimeIndex::reset() {
  schedule_.reset();
  stretches_.clear();
  stretches_.shrink_to_fit();
  coveredSeconds_ = 0;
}

void WorkingTimeIndex::prepare(const std::shared_ptr<ScheduleDefinition>& schedule,
                               const TimeRange& span) {
  if (schedule_ == schedule && schedule_ && !(span.start < covered_.start) &&
      !(covered_.finish < span.finish)) {
    return;
  }
  reset();
  if (!schedule || !span.isEntropic()) return;
  if (span.start.week < Time::min().week + kWeeksClearOfGridEnds ||
      span.finish.week > Time::max().week - kWeeksClearOfGridEnds) {
    return;
  }
  const double length = span.duration();
  if (!(length <= kMaxSpanSeconds)) return;

  // A margin around the span, so that the small changes of the timeline that
  // zooming makes (its margins are points turned into hours) reuse the table.
  const double margin = std::max(length / 4, kMinMarginSeconds);
  origin_ = span.start.addingDuration(-margin);
  const Time end = span.finish.addingDuration(margin);
  covered_ = TimeRange(origin_, end);
  coveredSeconds_ = covered_.duration();

  const std::vector<TimeRange> times = schedule->times(covered_);
  stretches_.reserve(times.size());
  double worked = 0;
  for (const TimeRange& time : times) {
    const double startOffset = TimeRange(origin_, time.start).duration();
    const double finishOffset = TimeRange(origin_, time.finish).duration();
    if (!(finishOffset > startOffset)) continue;
    stretches_.push_back(Stretch{time.start, time.finish, startOffset, finishOffset, worked});
    worked += finishOffset - startOffset;
  }
  schedule_ = schedule;
}

std::optional<double> WorkingTimeIndex::workedUntil(const Time& time) const {
  if (!schedule_) return std::nullopt;
  // A time held out of its usual ranges is read by the calendar in its own
  // way; leave it to the calendar.
  if (time.dayOfWeek < 0 || time.dayOfWeek > 6 || !(time.timeOfDay >= 0) ||
      !(time.timeOfDay <= secondsPerDay)) {
    return std::nullopt;
  }
  const double offset = TimeRange(origin_, time).duration();
  // Beyond the span only the stretch between its end and the instant is
  // walked.
  if (offset < 0) return schedule_->duration(origin_, time);
  if (offset > coveredSeconds_) return totalWorked() + schedule_->duration(covered_.finish, time);
  // The last stretch that starts at or before the instant.
  const auto after = std::upper_bound(
      stretches_.begin(), stretches_.end(), offset,
      [](double value, const Stretch& stretch) { return value < stretch.startOffset; });
  if (after == stretches_.begin()) return 0.0;
  const Stretch& stretch = *(after - 1);
  const double inside = std::min(offset, stretch.finishOffset) - stretch.startOffset;
  return stretch.workedBefore + inside;
}

double WorkingTimeIndex::totalWorked() const {
  if (stretches_.empty()) return 0;
  const Stretch& last = stretches_.back();
  return last.workedBefore + (last.finishOffset - last.startOffset);
}

Time WorkingTimeIndex::instantAt(double worked, bool atFinish) const {
  if (atFinish) {
    // The first stretch whose end reaches the amount: an amount that fills
    // a stretch exactly ends there.
    const auto found = std::partition_point(
        stretches_.begin(), stretches_.end(), [worked](const Stretch& stretch) {
          return stretch.workedBefore + (stretch.finishOffset - stretch.startOffset) < worked;
        });
    const double inside = worked - found->workedBefore;
    if (inside >= found->finishOffset - found->startOffset) return found->finish.asFinish();
    // Computed finishes are held in the 24:00 form, as the calendar does.
    return found->start.addingDuration(inside).asFinish();
  }
  // The last stretch that starts at or before the amount: at a stretch's end
  // the next stretch's start is reached.
  const auto after = std::upper_bound(
      stretches_.begin(), stretches_.end(), worked,
      [](double value, const Stretch& stretch) { return value < stretch.workedBefore; });
  const Stretch& stretch = *(after - 1);
  return stretch.start.addingDuration(worked - stretch.workedBefore);
}

std::optional<double> WorkingTimeIndex::duration(const Time& from, const Time& to) const {
  const std::optional<double> workedFrom = workedUntil(from);
  if (!workedFrom) return std::nullopt;
  const std::optional<double> workedTo = workedUntil(to);
  if (!workedTo) return std::nullopt;
  return *workedTo - *workedFrom;
}

// In the three steps below, an amount that ends inside the indexed stretches
// is found in the table; one that ends beyond the span is walked by the
// calendar from the span's end (or start), past which no working time is
// left out; anything else is the calendar's own question, walked over the
// amount only. Working time before the span counts negative.

std::optional<Time> WorkingTimeIndex::finish(const Time& from, double seconds) const {
  if (!(seconds > 0) || stretches_.empty()) return std::nullopt;
  const std::optional<double> worked = workedUntil(from);
  if (!worked) return std::nullopt;
  const double target = *worked + seconds;
  const double total = totalWorked();
  if (target > 0 && target < total) return instantAt(target, true);
  if (target == total && *worked < total) return stretches_.back().finish.asFinish();
  if (target > total && *worked <= total) {
    return schedule_->finish(covered_.finish, target - total);
  }
  return schedule_->finish(from, seconds);
}

std::optional<Time> WorkingTimeIndex::start(const Time& to, double seconds) const {
  if (!(seconds > 0) || stretches_.empty()) return std::nullopt;
  const std::optional<double> worked = workedUntil(to);
  if (!worked) return std::nullopt;
  const double target = *worked - seconds;
  if (target > 0 && target < totalWorked()) return instantAt(target, false);
  if (target == 0 && *worked > 0) return stretches_.front().start.asStart();
  if (target < 0 && *worked >= 0) return schedule_->start(origin_, -target);
  return schedule_->start(to, seconds);
}

std::optional<Time> WorkingTimeIndex::nextTimeAfter(const Time& from, double seconds) const {
  if (stretches_.empty()) return std::nullopt;
  const std::optional<double> worked = workedUntil(from);
  if (!worked) return std::nullopt;
  const double target = *worked + seconds;
  const double total = totalWorked();
  if (target > 0 && target < total) return instantAt(target, false);
  if (target >= total && *worked <= total) {
    return schedule_->nextTime(schedule_->finish(covered_.finish, target - total));
  }
  if (target <= 0 && *worked >= 0) return schedule_->nextTime(schedule_->finish(origin_, target));
  return schedule_->nextTime(schedule_->finish(from, seconds));
}

}  // namespace vorlent

#include "vorlent/controllers/working_time_index.h"

#include <algorithm>
#include <cmath>

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

std::optional<double> WorkingTimeIndex::offsetOf(const Time& time) const {
  if (!schedule_) return std::nullopt;
  const double offset = TimeRange(origin_, time).duration();
  if (!(offset >= 0 && offset <= coveredSeconds_)) return std::nullopt;
  return offset;
}

std::optional<double> WorkingTimeIndex::workedUntil(const Time& time) const {
  const std::optional<double> offset = offsetOf(time);
  if (!offset) return std::nullopt;
  // The last stretch that starts at or before the instant.
  const auto after = std::upper_bound(
      stretches_.begin(), stretches_.end(), *offset,
      [](double value, const Stretch& stretch) { return value < stretch.startOffset; });
  if (after == stretches_.begin()) return 0.0;
  const Stretch& stretch = *(after - 1);
  const double inside = std::min(*offset, stretch.finishOffset) - stretch.startOffset;
  return stretch.workedBefore + inside;
}

double WorkingTimeIndex::totalWorked() const {
  if (stretches_.empty()) return 0;
  const Stretch& last = stretches_.back();
  return last.workedBefore + (last.finishOffset - last.startOffset);
}

std::optional<Time> WorkingTimeIndex::instantAt(double worked, bool atFinish) const {
  // The ends of the indexed stretches depend on what lies beyond the span.
  if (!(worked > 0 && worked < totalWorked())) return std::nullopt;
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

std::optional<Time> WorkingTimeIndex::finish(const Time& from, double seconds) const {
  if (!(seconds > 0 && std::isfinite(seconds))) return std::nullopt;
  const std::optional<double> worked = workedUntil(from);
  if (!worked) return std::nullopt;
  return instantAt(*worked + seconds, true);
}

std::optional<Time> WorkingTimeIndex::start(const Time& to, double seconds) const {
  if (!(seconds > 0 && std::isfinite(seconds))) return std::nullopt;
  const std::optional<double> worked = workedUntil(to);
  if (!worked) return std::nullopt;
  return instantAt(*worked - seconds, false);
}

std::optional<Time> WorkingTimeIndex::nextTimeAfter(const Time& from, double seconds) const {
  if (!std::isfinite(seconds)) return std::nullopt;
  const std::optional<double> worked = workedUntil(from);
  if (!worked) return std::nullopt;
  return instantAt(*worked + seconds, false);
}

}  // namespace vorlent

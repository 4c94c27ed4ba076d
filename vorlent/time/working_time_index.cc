#include "vorlent/time/working_time_index.h"

#include <algorithm>
#include <cmath>

#include "vorlent/time/time_constants.h"

namespace vorlent {

namespace {

// Weeks kept clear of the time grid's ends, so that widening a span by its
// margin never leaves the grid.
constexpr int64_t kWeeksClearOfGridEnds = 8000;
constexpr double kMinMarginSeconds = 4.0 * 7 * 86400;

// How many stretches the exact answers step over, from where they guess an
// answer lies, before they search: an amount of a day or two, or the next
// working instant, ends within a stretch or two of where it is counted from.
constexpr size_t kNearSteps = 4;

// The stretch an instant lies in or after, given how many start by then:
// where the exact answers start looking.
size_t stretchNear(size_t stretchesBefore) { return stretchesBefore > 0 ? stretchesBefore - 1 : 0; }

bool isWhole(double value) {
  // Every double from 2^52 on is whole; below that a round trip through an
  // integer tells, more cheaply than `floor`.
  if (std::fabs(value) < 4503599627370496.0) {
    return static_cast<double>(static_cast<int64_t>(value)) == value;
  }
  return std::floor(value) == value;
}

bool isNearGridEnds(const TimeRange& span) {
  return span.start.week < Time::min().week + kWeeksClearOfGridEnds ||
         span.finish.week > Time::max().week - kWeeksClearOfGridEnds;
}

// On the grid, where the table reads instants as they are.
bool isOnGrid(const Time& time) {
  return time.dayOfWeek >= 0 && time.dayOfWeek <= 6 && time.timeOfDay >= 0 &&
         time.timeOfDay <= secondsPerDay;
}

}  // namespace

void WorkingTimeIndex::reset() {
  schedule_.reset();
  stretches_.clear();
  stretches_.shrink_to_fit();
  startOffsets_.clear();
  startOffsets_.shrink_to_fit();
  startTimes_.clear();
  startTimes_.shrink_to_fit();
  workedBefore_.clear();
  workedBefore_.shrink_to_fit();
  firstReachingBucket_.clear();
  firstReachingBucket_.shrink_to_fit();
  workedBucket_ = 0;
  startsBeforeDay_.clear();
  startsBeforeDay_.shrink_to_fit();
  coveredSeconds_ = 0;
  exact_ = false;
  repeatsWeekly_ = false;
}

bool WorkingTimeIndex::buildExact(const ScheduleDefinition& schedule, const TimeRange& covered) {
  reset();
  if (!covered.isEntropic() || isNearGridEnds(covered)) return false;
  if (!(covered.duration() <= kMaxSpanSeconds)) return false;
  if (!fill(schedule, covered) || !exact_ || stretches_.empty()) {
    reset();
    return false;
  }
  // The exact answers read the small arrays alone.
  stretches_.clear();
  stretches_.shrink_to_fit();
  return true;
}

bool WorkingTimeIndex::fill(const ScheduleDefinition& schedule, const TimeRange& covered) {
  origin_ = covered.start;
  covered_ = covered;
  coveredSeconds_ = covered_.duration();
  const std::vector<TimeRange> times = schedule.times(covered_);
  // A cut-off list would leave the rest of the span looking idle.
  if (times.size() >= kMaxSelectedIntervals) return false;
  stretches_.reserve(times.size());
  exact_ = isWhole(coveredSeconds_) && isWhole(origin_.timeOfDay);
  double worked = 0;
  for (const TimeRange& time : times) {
    const double startOffset = TimeRange(origin_, time.start).duration();
    const double finishOffset = TimeRange(origin_, time.finish).duration();
    if (!(finishOffset > startOffset)) continue;
    // The offsets may round to whole seconds while an end itself does not
    // lie on one; only ends that do can be rebuilt from the offsets exactly.
    if (!isWhole(startOffset) || !isWhole(finishOffset) || !isWhole(time.start.timeOfDay) ||
        !isWhole(time.finish.timeOfDay)) {
      exact_ = false;
    }
    stretches_.push_back(Stretch{time.start, time.finish, startOffset, finishOffset, worked});
    worked += finishOffset - startOffset;
  }
  // Day counts beyond 32 bits cannot occur: the span is at most a century.
  startOffsets_.reserve(stretches_.size());
  workedBefore_.reserve(stretches_.size() + 1);
  for (const Stretch& stretch : stretches_) {
    startOffsets_.push_back(stretch.startOffset);
    workedBefore_.push_back(stretch.workedBefore);
  }
  workedBefore_.push_back(worked);
  if (exact_) {
    startTimes_.reserve(stretches_.size());
    for (const double offset : startOffsets_) startTimes_.push_back(origin_.addingDuration(offset));
  }
  // Buckets of working time as long as the average stretch, each with the
  // first entry of `workedBefore_` reaching it.
  workedBucket_ = stretches_.empty() ? 0 : worked / static_cast<double>(stretches_.size());
  if (workedBucket_ > 0) {
    const size_t buckets = stretches_.size() + 2;
    firstReachingBucket_.reserve(buckets);
    size_t reached = 0;
    for (size_t bucket = 0; bucket < buckets; ++bucket) {
      const double from = static_cast<double>(bucket) * workedBucket_;
      while (reached < workedBefore_.size() && workedBefore_[reached] < from) ++reached;
      firstReachingBucket_.push_back(static_cast<uint32_t>(reached));
    }
  }
  const auto days = static_cast<size_t>(coveredSeconds_ / secondsPerDay) + 2;
  startsBeforeDay_.reserve(days);
  size_t counted = 0;
  for (size_t day = 0; day < days; ++day) {
    const double dayStart = static_cast<double>(day) * secondsPerDay;
    while (counted < startOffsets_.size() && startOffsets_[counted] < dayStart) ++counted;
    startsBeforeDay_.push_back(static_cast<uint32_t>(counted));
  }
  return true;
}

std::pair<size_t, size_t> WorkingTimeIndex::entriesAround(double worked) const {
  if (!(workedBucket_ > 0) || !(worked >= 0)) return {0, workedBefore_.size()};
  const auto bucket = static_cast<size_t>(worked / workedBucket_);
  // A bucket to either side: the division may round across a bound.
  if (bucket + 2 >= firstReachingBucket_.size()) {
    return {firstReachingBucket_[firstReachingBucket_.size() - 3], workedBefore_.size()};
  }
  return {firstReachingBucket_[bucket > 0 ? bucket - 1 : 0], firstReachingBucket_[bucket + 2]};
}

size_t WorkingTimeIndex::stretchesStartingBy(double offset) const {
  const auto day = static_cast<size_t>(offset / secondsPerDay);
  if (day + 1 >= startsBeforeDay_.size()) {
    return static_cast<size_t>(
        std::upper_bound(startOffsets_.begin(), startOffsets_.end(), offset) -
        startOffsets_.begin());
  }
  // A day earlier too: the division may round an offset just before a
  // day's start up into that day.
  const auto first = startOffsets_.begin() + startsBeforeDay_[day > 0 ? day - 1 : 0];
  const auto last = startOffsets_.begin() + startsBeforeDay_[day + 1];
  return static_cast<size_t>(std::upper_bound(first, last, offset) - startOffsets_.begin());
}

void WorkingTimeIndex::prepare(const std::shared_ptr<ScheduleDefinition>& schedule,
                               const TimeRange& span) {
  if (schedule_ == schedule && schedule_ && !(span.start < covered_.start) &&
      !(covered_.finish < span.finish)) {
    return;
  }
  reset();
  if (!schedule || !span.isEntropic() || isNearGridEnds(span)) return;
  const double length = span.duration();
  if (!(length <= kMaxSpanSeconds)) return;

  // A margin around the span, so that the small changes of the timeline that
  // zooming makes (its margins are points turned into hours) reuse the table.
  const double margin = std::max(length / 4, kMinMarginSeconds);
  if (!fill(*schedule,
            TimeRange(span.start.addingDuration(-margin), span.finish.addingDuration(margin)))) {
    reset();
    return;
  }
  schedule_ = schedule;
}

// Inlined by hand: the compiler stops doing so once five questions share it.
[[gnu::always_inline]] inline std::optional<WorkingTimeIndex::ExactPlace>
WorkingTimeIndex::exactPlaceOf(const Time& time) const {
  if (!exact_ || !isOnGrid(time) || !isWhole(time.timeOfDay)) return std::nullopt;
  // A week past the ones next to the covered span lies outside it; ruling it
  // out first keeps the day count below small.
  if (time.week < covered_.start.week - 1 || time.week > covered_.finish.week + 1) {
    return std::nullopt;
  }
  // What `TimeRange(origin_, time).duration()` gives, without its overflow
  // checks.
  const int64_t days = (time.week - origin_.week) * 7 + (time.dayOfWeek - origin_.dayOfWeek);
  const double withinDay = time.timeOfDay - origin_.timeOfDay;  // (-1 day, 1 day]
  const double offset = static_cast<double>(days) * secondsPerDay + withinDay;
  if (!(offset >= 0) || offset > coveredSeconds_) return std::nullopt;
  // The offset's day counted from origin_, found without dividing; the
  // stretches starting by the offset are those before that day and the few
  // of that day up to it.
  const auto day =
      static_cast<size_t>(days - (withinDay < 0 ? 1 : 0) + (withinDay >= secondsPerDay ? 1 : 0));
  size_t count = startsBeforeDay_[day];
  const size_t dayEnd = startsBeforeDay_[day + 1];
  if (dayEnd - count > kNearSteps) {
    count = static_cast<size_t>(
        std::upper_bound(startOffsets_.begin() + static_cast<ptrdiff_t>(count),
                         startOffsets_.begin() + static_cast<ptrdiff_t>(dayEnd), offset) -
        startOffsets_.begin());
  } else {
    while (count < dayEnd && startOffsets_[count] <= offset) ++count;
  }
  if (count == 0) return ExactPlace{0.0, 0};
  const size_t k = count - 1;
  const double length = workedBefore_[k + 1] - workedBefore_[k];
  const double worked =
      workedBefore_[k] + (std::min(offset, startOffsets_[k] + length) - startOffsets_[k]);
  return ExactPlace{worked, count};
}

size_t WorkingTimeIndex::firstReaching(double worked, size_t near) const {
  const size_t last = workedBefore_.size() - 1;
  size_t j = std::clamp<size_t>(near + 1, 1, last);
  for (size_t step = 0; step < kNearSteps; ++step) {
    if (workedBefore_[j] < worked) {
      if (j == last) break;
      ++j;
    } else if (j > 1 && workedBefore_[j - 1] >= worked) {
      --j;
    } else {
      return j;
    }
  }
  const auto [low, high] = entriesAround(worked);
  const auto reached = std::lower_bound(workedBefore_.begin() + std::max<ptrdiff_t>(low, 1),
                                        workedBefore_.begin() + high, worked);
  return static_cast<size_t>(reached - workedBefore_.begin());
}

size_t WorkingTimeIndex::searchLastStartingBy(double worked) const {
  const auto [low, high] = entriesAround(worked);
  const auto after =
      std::upper_bound(workedBefore_.begin() + low,
                       workedBefore_.begin() + std::min(high, workedBefore_.size() - 1), worked);
  return static_cast<size_t>(after - workedBefore_.begin()) - 1;
}

size_t WorkingTimeIndex::lastStartingBy(double worked, size_t near) const {
  const size_t last = workedBefore_.size() - 2;
  size_t k = std::min(near, last);
  for (size_t step = 0; step < kNearSteps; ++step) {
    if (workedBefore_[k] > worked) {
      if (k == 0) break;
      --k;
    } else if (k < last && workedBefore_[k + 1] <= worked) {
      ++k;
    } else {
      return k;
    }
  }
  return searchLastStartingBy(worked);
}

Time WorkingTimeIndex::exactTimeAt(size_t k, double inside) const {
  const Time& start = startTimes_[k];
  // All whole, so the sums are exact: short of midnight, `origin_` moved on
  // by the whole offset is the stretch's start moved on within its day.
  const double timeOfDay = start.timeOfDay + inside;
  if (timeOfDay < secondsPerDay) return {start.week, start.dayOfWeek, timeOfDay};
  return origin_.addingDuration(startOffsets_[k] + inside);
}

Time WorkingTimeIndex::exactInstantAt(double worked, bool atFinish, size_t near) const {
  if (atFinish) {
    const size_t k = firstReaching(worked, near) - 1;
    const double length = workedBefore_[k + 1] - workedBefore_[k];
    const double inside = std::min(worked - workedBefore_[k], length);
    return exactTimeAt(k, inside).asFinish();
  }
  const size_t k = lastStartingBy(worked, near);
  return exactTimeAt(k, worked - workedBefore_[k]);
}

std::optional<int64_t> WorkingTimeIndex::weeksOff(const Time& time) const {
  // Into the covered span's middle week, where a question reaches furthest
  // either way before it leaves the table.
  const int64_t middle = covered_.start.week + (covered_.finish.week - covered_.start.week) / 2;
  int64_t weeks = 0;
  if (__builtin_sub_overflow(time.week, middle, &weeks)) return std::nullopt;
  return weeks;
}

std::optional<Time> WorkingTimeIndex::movedBack(Time time, int64_t weeks) {
  if (__builtin_sub_overflow(time.week, weeks, &time.week)) return std::nullopt;
  return time;
}

std::optional<Time> WorkingTimeIndex::movedOn(std::optional<Time> time, int64_t weeks) {
  if (time && __builtin_add_overflow(time->week, weeks, &time->week)) return std::nullopt;
  return time;
}

template <class Ask>
auto WorkingTimeIndex::askedInAnyWeek(const Time& time, const Ask& ask) const
    -> decltype(ask(time)) {
  const std::optional<int64_t> weeks = weeksOff(time);
  if (!weeks) return std::nullopt;
  return movedOn(ask(*movedBack(time, *weeks)), *weeks);
}

std::optional<double> WorkingTimeIndex::exactDuration(const Time& from, const Time& to) const {
  if (repeatsWeekly_) [[unlikely]] {
    const std::optional<int64_t> weeks = weeksOff(from);
    const std::optional<Time> movedTo = weeks ? movedBack(to, *weeks) : std::nullopt;
    if (!movedTo) return std::nullopt;
    return durationInSpan(*movedBack(from, *weeks), *movedTo);
  }
  return durationInSpan(from, to);
}

std::optional<Time> WorkingTimeIndex::exactFinish(const Time& from, double seconds) const {
  if (repeatsWeekly_) [[unlikely]] {
    return askedInAnyWeek(from, [&](const Time& t) { return finishInSpan(t, seconds); });
  }
  return finishInSpan(from, seconds);
}

std::optional<Time> WorkingTimeIndex::exactStart(const Time& to, double seconds) const {
  if (repeatsWeekly_) [[unlikely]] {
    return askedInAnyWeek(to, [&](const Time& t) { return startInSpan(t, seconds); });
  }
  return startInSpan(to, seconds);
}

std::optional<Time> WorkingTimeIndex::exactNextTime(const Time& time) const {
  if (repeatsWeekly_) [[unlikely]] {
    return askedInAnyWeek(time, [&](const Time& t) { return nextTimeInSpan(t); });
  }
  return nextTimeInSpan(time);
}

std::optional<Time> WorkingTimeIndex::exactPreviousTime(const Time& time) const {
  if (repeatsWeekly_) [[unlikely]] {
    return askedInAnyWeek(time, [&](const Time& t) { return previousTimeInSpan(t); });
  }
  return previousTimeInSpan(time);
}

std::optional<double> WorkingTimeIndex::durationInSpan(const Time& from, const Time& to) const {
  // The later end first: it is the one that leaves the table when the span
  // is too long for it.
  const std::optional<ExactPlace> placeTo = exactPlaceOf(to);
  if (!placeTo) return std::nullopt;
  const std::optional<ExactPlace> placeFrom = exactPlaceOf(from);
  if (!placeFrom) return std::nullopt;
  return placeTo->worked - placeFrom->worked;
}

std::optional<Time> WorkingTimeIndex::finishInSpan(const Time& from, double seconds) const {
  // An amount of all the table's working time or more cannot end inside it,
  // wherever it is counted from; exact_ vouches for a filled table.
  if (!exact_ || !(seconds > 0) || !(seconds < workedBefore_.back()) || !isWhole(seconds)) {
    return std::nullopt;
  }
  const std::optional<ExactPlace> place = exactPlaceOf(from);
  if (!place) return std::nullopt;
  const double target = place->worked + seconds;
  if (!(target < workedBefore_.back())) return std::nullopt;
  return exactInstantAt(target, true, stretchNear(place->stretchesBefore));
}

std::optional<Time> WorkingTimeIndex::startInSpan(const Time& to, double seconds) const {
  if (!exact_ || !(seconds > 0) || !(seconds < workedBefore_.back()) || !isWhole(seconds)) {
    return std::nullopt;
  }
  const std::optional<ExactPlace> place = exactPlaceOf(to);
  if (!place) return std::nullopt;
  const double target = place->worked - seconds;
  if (!(target > 0)) return std::nullopt;
  return exactInstantAt(target, false, stretchNear(place->stretchesBefore));
}

std::optional<Time> WorkingTimeIndex::nextTimeInSpan(const Time& time) const {
  // A working instant is its own answer, handed back as written; the table
  // rebuilds it from a stretch's start instead, which cannot carry the sign
  // of a -0:00 time of day (the only negative one on the grid).
  if (std::signbit(time.timeOfDay)) return std::nullopt;
  // The working time counted up to `time` is reached, going forward, at
  // `time` itself when it is working, else where the next stretch opens.
  const std::optional<ExactPlace> place = exactPlaceOf(time);
  if (!place || !(place->worked < workedBefore_.back())) return std::nullopt;
  return exactInstantAt(place->worked, false, stretchNear(place->stretchesBefore));
}

std::optional<Time> WorkingTimeIndex::previousTimeInSpan(const Time& time) const {
  const std::optional<ExactPlace> place = exactPlaceOf(time);
  if (!place || !(place->worked > 0)) return std::nullopt;
  return exactInstantAt(place->worked, true, stretchNear(place->stretchesBefore));
}

std::optional<double> WorkingTimeIndex::workedUntil(const Time& time) const {
  if (!schedule_) return std::nullopt;
  // A time held out of its usual ranges is read by the calendar in its own
  // way; leave it to the calendar.
  if (!isOnGrid(time)) return std::nullopt;
  const double offset = TimeRange(origin_, time).duration();
  // Beyond the span only the stretch between its end and the instant is
  // walked.
  if (offset < 0) return schedule_->duration(origin_, time);
  if (offset > coveredSeconds_) return totalWorked() + schedule_->duration(covered_.finish, time);
  // The last stretch that starts at or before the instant.
  const size_t count = stretchesStartingBy(offset);
  if (count == 0) return 0.0;
  const Stretch& stretch = stretches_[count - 1];
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
    // Searched among the working time reached by each stretch's end (the
    // next entry of `workedBefore_`), a small array.
    const auto reached = std::lower_bound(workedBefore_.begin() + 1, workedBefore_.end(), worked);
    const auto found = stretches_.begin() + ((reached - workedBefore_.begin()) - 1);
    const double inside = worked - found->workedBefore;
    if (inside >= found->finishOffset - found->startOffset) return found->finish.asFinish();
    // Computed finishes are held in the 24:00 form, as the calendar does.
    return found->start.addingDuration(inside).asFinish();
  }
  // The last stretch that starts at or before the amount: at a stretch's end
  // the next stretch's start is reached.
  const Stretch& stretch = stretches_[searchLastStartingBy(worked)];
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

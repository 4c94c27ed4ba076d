#include "vorlent/time/schedule.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vorlent {

namespace {

bool hasFiniteEnds(const TimeRange& range) {
  return std::isfinite(range.start.timeOfDay) && std::isfinite(range.finish.timeOfDay);
}

// Whether the closed interval between the stored ends (taken in order, since
// intervals may be stored finish first) meets the closed span [low, high].
bool meets(const TimeRange& interval, const Time& low, const Time& high) {
  const bool reversed = interval.finish < interval.start;
  const Time& first = reversed ? interval.finish : interval.start;
  const Time& last = reversed ? interval.start : interval.finish;
  return first <= high && low <= last;
}

}  // namespace

Schedule::Schedule(WeekRange weekInterval, DayRange dayInterval,
                   std::vector<TimeRange> excludedIntervals,
                   std::shared_ptr<const ExcludedTimeIntervalProvider> excludedIntervalProvider)
    : ScheduleDefinition(nullptr),
      weekIntervalValue_(weekInterval),
      dayIntervalValue_(dayInterval),
      excludedIntervals_(std::move(excludedIntervals)),
      excludedIntervalProvider_(std::move(excludedIntervalProvider)) {
  index_.reserve(excludedIntervals_.size());
  for (size_t position = 0; position < excludedIntervals_.size(); ++position) {
    const TimeRange& interval = excludedIntervals_[position];
    if (!hasFiniteEnds(interval)) {
      unindexed_.push_back(position);
      continue;
    }
    const bool reversed = interval.finish < interval.start;
    index_.push_back({reversed ? interval.finish : interval.start,
                      reversed ? interval.start : interval.finish, position});
  }
  std::sort(index_.begin(), index_.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return a.low < b.low; });
  reach_.reserve(index_.size());
  for (const IndexEntry& entry : index_) {
    reach_.push_back(reach_.empty() || reach_.back() < entry.high ? entry.high : reach_.back());
  }
}

std::vector<TimeRange> Schedule::excludedIntervalsFor(const Time& time, const Time& limit) const {
  const bool backward = limit < time;
  const Time& low = backward ? limit : time;
  const Time& high = backward ? time : limit;

  std::vector<size_t> positions;
  // Entries before `first` end before `low`: none of them meets the span.
  const size_t first = static_cast<size_t>(
      std::lower_bound(reach_.begin(), reach_.end(), low,
                       [](const Time& reach, const Time& value) { return reach < value; }) -
      reach_.begin());
  for (size_t i = first; i < index_.size() && index_[i].low <= high; ++i) {
    if (low <= index_[i].high) positions.push_back(index_[i].position);
  }
  for (const size_t position : unindexed_) {
    if (meets(excludedIntervals_[position], low, high)) positions.push_back(position);
  }
  std::sort(positions.begin(), positions.end());

  std::vector<TimeRange> result;
  result.reserve(positions.size());
  for (const size_t position : positions) result.push_back(excludedIntervals_[position]);
  if (excludedIntervalProvider_) {
    std::vector<TimeRange> provided = excludedIntervalProvider_->excludedIntervalsFor(time, limit);
    result.insert(result.end(), provided.begin(), provided.end());
  }
  return result;
}

bool Schedule::hasExcludedIntervals() const {
  return !excludedIntervals_.empty() || excludedIntervalProvider_ != nullptr;
}

}  // namespace vorlent

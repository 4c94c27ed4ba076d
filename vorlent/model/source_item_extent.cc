#include "vorlent/model/source_item_extent.h"

#include <cmath>
#include <utility>

namespace vorlent::detail {
namespace {

// Adds `count` occurrences of `time` to `counts`; a value whose count drops
// to zero is dropped, so the ends of the map are the ends of the span.
void addOccurrences(std::map<Time, size_t>& counts, const Time& time, int64_t count) {
  if (count > 0) {
    counts[time] += static_cast<size_t>(count);
    return;
  }
  const auto found = counts.find(time);
  if (found == counts.end()) return;
  const auto removed = static_cast<size_t>(-count);
  if (found->second <= removed) {
    counts.erase(found);
  } else {
    found->second -= removed;
  }
}

}  // namespace

bool SourceItemExtent::holds(const GanttChartItem* item,
                             const std::vector<GanttChartItemPtr>& items) {
  if (!membersCounted_) countMembers(items);
  return occurrences_.contains(item);
}

std::optional<TimeRange> SourceItemExtent::timeline(const std::vector<GanttChartItemPtr>& items) {
  if (!timesCounted_ || orderGeneration_ != counts_.orderGeneration()) countTimes(items);
  if (starts_.empty()) return std::nullopt;
  return TimeRange(starts_.begin()->first, finishes_.rbegin()->first);
}

void SourceItemExtent::itemAppended(const GanttChartItem& item) {
  if (!membersCounted_) return;
  ++occurrences_[&item];
  if (timesCounted_) addTime(item.time(), 1);
}

void SourceItemExtent::itemRemoved(const GanttChartItem& item) {
  if (!membersCounted_) return;
  const auto found = occurrences_.find(&item);
  if (found == occurrences_.end()) return;
  if (timesCounted_) addTime(item.time(), -static_cast<int64_t>(found->second));
  occurrences_.erase(found);
}

void SourceItemExtent::itemPlaced(const GanttChartItem& item, const TimeRange& oldTime) {
  if (!timesCounted_) return;
  // Each assignment advances the generation by one; any other step means an
  // assignment this extent did not hear about, whose old time it cannot know.
  const uint64_t generation = counts_.orderGeneration();
  if (generation != orderGeneration_ + 1) {
    timesCounted_ = false;
    return;
  }
  orderGeneration_ = generation;
  const auto found = occurrences_.find(&item);
  if (found == occurrences_.end()) return;
  const TimeRange now = item.time();
  if (now.start == oldTime.start && now.finish == oldTime.finish) return;
  const auto count = static_cast<int64_t>(found->second);
  addTime(oldTime, -count);
  addTime(now, count);
}

void SourceItemExtent::forget() {
  occurrences_.clear();
  membersCounted_ = false;
  starts_.clear();
  finishes_.clear();
  timesCounted_ = false;
}

void SourceItemExtent::countMembers(const std::vector<GanttChartItemPtr>& items) {
  occurrences_.clear();
  occurrences_.reserve(items.size());
  for (const auto& item : items) ++occurrences_[item.get()];
  membersCounted_ = true;
}

void SourceItemExtent::countTimes(const std::vector<GanttChartItemPtr>& items) {
  // Moves are applied per occurrence, so the members must be known too.
  if (!membersCounted_) countMembers(items);
  starts_.clear();
  finishes_.clear();
  for (const auto& item : items) addTime(item->time(), 1);
  orderGeneration_ = counts_.orderGeneration();
  timesCounted_ = true;
}

void SourceItemExtent::addTime(const TimeRange& time, int64_t count) {
  // An item whose time is not a number (a host's failed parse) has no place
  // on the timeline, so it takes no part in the span; NaN keys would also
  // break the maps' ordering. Skipped alike when counted and when uncounted.
  if (!std::isfinite(time.start.timeOfDay) || !std::isfinite(time.finish.timeOfDay)) return;
  addOccurrences(starts_, time.start, count);
  addOccurrences(finishes_, time.finish, count);
}

}  // namespace vorlent::detail

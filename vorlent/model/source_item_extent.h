#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "vorlent/model/identity_index.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent::detail {

// Which items an item source holds (how often each stands in its array) and
// the span of their times, from the earliest start to the latest finish. The
// source reports what it appends, removes and moves, so that neither asking
// whether it holds an item nor its preferred timeline scans the array.
//
// Starts and finishes are counted per value: moving the only item at either
// end of the span finds the next one without a scan. The counts are trusted
// only while every assignment of an order key (row, time, z-index) to one of
// the source's items since they were taken is one the source reported; any
// other (a host setting a time directly, another manager moving a shared
// item) has the next read count the array again. Membership follows the array through the
// reports alone, since items' own setters cannot change it.
class SourceItemExtent {
 public:
  // `counts` is the source's record of its items' edits; it outlives this.
  explicit SourceItemExtent(const ItemChangeCounts& counts) : counts_(counts) {}

  // Whether the item stands in `items` (the source's array) at least once.
  [[nodiscard]] bool holds(const GanttChartItem* item, const std::vector<GanttChartItemPtr>& items);
  // The earliest start to the latest finish over `items`; std::nullopt
  // without items. Items with a non-finite time of day at either end are
  // left out. Of several equal times (24:00 and the next day's 0:00),
  // the end shows one of their forms.
  [[nodiscard]] std::optional<TimeRange> timeline(const std::vector<GanttChartItemPtr>& items);

  void itemAppended(const GanttChartItem& item);
  // Every occurrence of the item has left the array.
  void itemRemoved(const GanttChartItem& item);
  // The source assigned the item's row, time or z-index (one step of the
  // order generation); `oldTime` is its time before.
  void itemPlaced(const GanttChartItem& item, const TimeRange& oldTime);
  // Anything may have changed: the next read counts the array.
  void forget();

 private:
  void countMembers(const std::vector<GanttChartItemPtr>& items);
  void countTimes(const std::vector<GanttChartItemPtr>& items);
  // Adds `count` (which may be negative) occurrences of the time.
  void addTime(const TimeRange& time, int64_t count);

  const ItemChangeCounts& counts_;
  std::unordered_map<const GanttChartItem*, size_t, AddressHash> occurrences_;
  bool membersCounted_ = false;
  // Occurrences of each start and finish; counted only with the members.
  std::map<Time, size_t> starts_;
  std::map<Time, size_t> finishes_;
  bool timesCounted_ = false;
  // The order generation the time counts are valid for.
  uint64_t orderGeneration_ = 0;
};

}  // namespace vorlent::detail

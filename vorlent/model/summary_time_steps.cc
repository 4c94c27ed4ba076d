#include "vorlent/model/summary_time_steps.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <optional>
#include <typeinfo>
#include <vector>

#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/link_push_cache.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/working_week.h"

namespace vorlent::detail {
namespace {

// The calendar the manager snaps `item` to: its own, else the chart's (null
// for a continuous chart).
const ScheduleDefinition* calendarOf(const GanttChartItem& item,
                                     const std::shared_ptr<ScheduleDefinition>& schedule) {
  return item.schedule() ? item.schedule().get() : schedule.get();
}

// Whether items lie where the manager snaps a standard item asked to take
// its own time, reading each calendar's working week once in a row.
class SnapCheck {
 public:
  explicit SnapCheck(const std::shared_ptr<ScheduleDefinition>& schedule) : schedule_(schedule) {}

  bool operator()(const GanttChartItem& item) {
    const ScheduleDefinition* calendar = calendarOf(item, schedule_);
    if (calendar == nullptr) return true;  // continuous: every instant works
    if (calendar != calendar_) {
      calendar_ = calendar;
      week_ = WorkingWeek::of(*calendar);
    }
    const Time start = item.start();
    const Time finish = item.finish();
    return !(finish < start) && detail::nextTime(*calendar, week_, start) == start &&
           detail::previousTime(*calendar, week_, finish) == finish;
  }

 private:
  const std::shared_ptr<ScheduleDefinition>& schedule_;
  const ScheduleDefinition* calendar_ = nullptr;
  WorkingWeek week_;
};

// `range` start first, or std::nullopt when a time of day is not finite.
std::optional<TimeRange> oriented(const TimeRange& range) {
  if (!std::isfinite(range.start.timeOfDay) || !std::isfinite(range.finish.timeOfDay)) {
    return std::nullopt;
  }
  const auto [from, to] = std::minmax(range.start, range.finish);
  return TimeRange(from, to);
}

// Whether `inner` excludes every instant `outer` excludes: each interval
// `outer` stores lies within one that `inner` stores. Calendars sharing
// their holidays (and `inner` perhaps more) pass; holidays that `inner`
// covers only with several intervals, or with time it does not work anyway,
// do not, which only keeps such a chart out of the pass. Sorted once, so a
// long list of holidays costs a logarithm a holiday.
bool excludesAllOf(const Schedule& inner, const Schedule& outer) {
  // `inner`'s intervals by start, each with the latest finish up to it.
  std::vector<TimeRange> covers;
  covers.reserve(inner.excludedIntervals().size());
  for (const TimeRange& range : inner.excludedIntervals()) {
    if (const std::optional<TimeRange> cover = oriented(range)) covers.push_back(*cover);
  }
  std::sort(covers.begin(), covers.end(),
            [](const TimeRange& a, const TimeRange& b) { return a.start < b.start; });
  for (size_t k = 1; k < covers.size(); ++k) {
    covers[k].finish = std::max(covers[k].finish, covers[k - 1].finish);
  }
  for (const TimeRange& range : outer.excludedIntervals()) {
    const std::optional<TimeRange> holiday = oriented(range);
    if (!holiday) return false;
    // The last interval starting no later than the holiday.
    const auto after = std::upper_bound(
        covers.begin(), covers.end(), holiday->start,
        [](const Time& start, const TimeRange& cover) { return start < cover.start; });
    if (after == covers.begin() || std::prev(after)->finish < holiday->finish) return false;
  }
  return true;
}

// Whether `outer` works at every instant `inner` works (null: the chart is
// continuous). Read off the working week and the stored exclusions of
// calendars of exactly the library's class without an exclusion provider,
// which never change their answers; for any other, only the very same
// object counts. Where `outer` has exclusions, `inner` must exclude them as
// well (see `excludesAllOf`): a child on a calendar without the summary's
// holidays may come to start on one.
bool worksWherever(const ScheduleDefinition* outer, const ScheduleDefinition* inner) {
  if (outer == inner) return true;
  if (outer != nullptr && !LinkPushCache::isKeepable(*outer)) return false;
  if (inner != nullptr && !LinkPushCache::isKeepable(*inner)) return false;
  const WorkingWeek out = outer ? WorkingWeek::of(*outer) : WorkingWeek{};
  if (out.isContinuous() && !out.hasExclusions) return true;
  if (inner == nullptr) return false;  // a continuous chart's own
  if (out.hasExclusions &&
      !excludesAllOf(static_cast<const Schedule&>(*inner), static_cast<const Schedule&>(*outer))) {
    return false;
  }
  if (out.isContinuous()) return true;
  const WorkingWeek in = WorkingWeek::of(*inner);
  if (!in.hasWorkingTime || !out.hasWorkingTime) return false;
  const bool hours = out.dayStart <= in.dayStart && in.dayFinish <= out.dayFinish;
  const bool days = out.firstDay <= in.firstDay && in.lastDay <= out.lastDay &&
                    in.firstDay <= in.lastDay;
  return hours && days;
}

bool hasConstraints(const LibraryRules& census, const GanttChartItemPtr& item) {
  for (const auto& rule : census.constraints) {
    if (rule->provider() && rule->provider()->constraintsOf(item)) return true;
  }
  return false;
}

}  // namespace

std::optional<std::vector<std::pair<size_t, size_t>>> summaryTimeStepEdges(
    const LibraryRules& census, const std::vector<GanttChartItemPtr>& items,
    const std::unordered_map<const GanttChartItem*, size_t, AddressHash>& positionOf,
    const std::vector<bool>& linked, const std::shared_ptr<ScheduleDefinition>& schedule) {
  std::vector<std::pair<size_t, size_t>> edges;
  std::shared_ptr<GanttChartItemHierarchyProvider> provider;
  for (const auto& hierarchy : census.hierarchies) {
    if (!hierarchy->aggregatingTime()) continue;
    if (provider != nullptr) return std::nullopt;
    provider = hierarchy->provider();
  }
  if (provider == nullptr) return edges;
  constexpr size_t kNone = static_cast<size_t>(-1);
  const auto positionIn = [&positionOf](const GanttChartItemPtr& item) {
    if (item == nullptr) return kNone;
    const auto found = positionOf.find(item.get());
    return found == positionOf.end() ? kNone : found->second;
  };

  // By position, the parent among `items`; and each (child, summary) pair
  // whose child the summary fits into its time when asked. Read off the
  // library's own hierarchy in one walk over its relations, as its look-ups
  // answer (the first relation naming an item wins); asked of any other
  // provider item by item.
  std::vector<size_t> parentOf(items.size(), kNone);
  std::vector<std::pair<size_t, size_t>> fits;
  if (typeid(*provider) == typeid(GanttChartItemHierarchy)) {
    const auto& relations = static_cast<const GanttChartItemHierarchy&>(*provider).relations();
    std::vector<bool> listed(items.size(), false);
    std::vector<bool> hasRelation(items.size(), false);
    for (const GanttChartItemHierarchicalRelation& relation : relations) {
      const size_t parent = positionIn(relation.parent);
      const bool givesChildren = parent != kNone && !hasRelation[parent];
      if (givesChildren) hasRelation[parent] = true;
      for (const GanttChartItemPtr& child : relation.children) {
        const size_t c = positionIn(child);
        if (c == kNone) continue;
        if (givesChildren) fits.emplace_back(c, parent);
        if (listed[c]) continue;
        listed[c] = true;
        parentOf[c] = parent;
      }
    }
  } else {
    for (size_t i = 0; i < items.size(); ++i) {
      if (positionOf.at(items[i].get()) != i) continue;  // a repeat
      parentOf[i] = positionIn(provider->parent(items[i]));
      for (const GanttChartItemPtr& child : provider->children(items[i])) {
        const size_t c = positionIn(child);
        if (c != kNone) fits.emplace_back(c, i);
      }
    }
  }

  // A child's change re-spans its parent alone, where the pass spans each
  // summary over all it lists: a child listed by a summary other than its
  // parent (under two summaries, say) would be spanned by both.
  for (const auto& [child, summary] : fits) {
    if (parentOf[child] != summary) return std::nullopt;
  }

  // Summaries: items with children among `items`, or named as a parent.
  std::vector<bool> isSummary(items.size(), false);
  for (size_t i = 0; i < items.size(); ++i) {
    if (parentOf[i] == kNone) continue;
    isSummary[parentOf[i]] = true;
    edges.emplace_back(i, parentOf[i]);
  }
  for (const auto& [child, summary] : fits) isSummary[summary] = true;
  for (size_t s = 0; s < items.size(); ++s) {
    if (!isSummary[s]) continue;
    const GanttChartItem& summary = *items[s];
    if (summary.type() == GanttChartItemType::milestone || linked[s] || parentOf[s] != kNone ||
        hasConstraints(census, items[s])) {
      return std::nullopt;
    }
  }
  SnapCheck isSnapped(schedule);
  // By (summary's, child's) calendar: a chart's many children share a few.
  std::map<std::pair<const ScheduleDefinition*, const ScheduleDefinition*>, bool> nested;
  const auto nests = [&nested](const ScheduleDefinition* outer, const ScheduleDefinition* inner) {
    if (outer == inner) return true;
    const auto [known, added] = nested.try_emplace({outer, inner}, false);
    if (added) known->second = worksWherever(outer, inner);
    return known->second;
  };
  for (const auto& [c, s] : fits) {
    const GanttChartItem& child = *items[c];
    const GanttChartItem& summary = *items[s];
    // A child on a calendar that works where its summary's does not may come
    // to start there; the span the summary is given then starts later, and
    // asking about the summary after its children squeezes them into it,
    // where asking before them would not.
    if (child.type() != GanttChartItemType::standard || isSummary[c] ||
        !nests(calendarOf(summary, schedule), calendarOf(child, schedule)) ||
        child.start() < summary.start() || summary.finish() < child.finish() || !isSnapped(child)) {
      return std::nullopt;
    }
  }
  edges.insert(edges.end(), fits.begin(), fits.end());
  return edges;
}

}  // namespace vorlent::detail

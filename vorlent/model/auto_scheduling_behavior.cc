#include "vorlent/model/auto_scheduling_behavior.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "vorlent/model/behavior_schedule.h"
#include "vorlent/model/link_lookup.h"
#include "vorlent/model/link_push_cache.h"
#include "vorlent/model/scheduling_epoch.h"
#include "vorlent/model/source_list_indexes.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {

namespace {

// Field for field, the sign of a zero included: the calendar may spell its
// answer after its argument.
bool identical(const Time& a, const Time& b) {
  return a.week == b.week && a.dayOfWeek == b.dayOfWeek &&
         std::bit_cast<uint64_t>(a.timeOfDay) == std::bit_cast<uint64_t>(b.timeOfDay);
}

bool identical(const TimeRange& a, const TimeRange& b) {
  return identical(a.start, b.start) && identical(a.finish, b.finish);
}

// The working range of one item being placed, with what placing needs.
//
// Moving the linked end of a range that keeps its duration moves the other
// end too, but only a step that reads the other end needs it: a run of
// pushes to the start works out the finish once, after the last of them
// (and likewise backward). The far end is asked of the calendar only for a
// range it was not already worked out for.
struct WorkingRange {
  std::shared_ptr<const ScheduleDefinition> schedule;  // the item's calendar
  double duration;                     // its working duration, when preserved
  TimeRange range;
  bool finishOwed = false;  // the finish still has to follow the start
  bool startOwed = false;   // the start still has to follow the finish
  // The last ranges whose far end was worked out from the near one.
  std::optional<TimeRange> forward{};
  std::optional<TimeRange> backward{};

  // The range with both ends in place.
  const TimeRange& settled() {
    if (finishOwed) {
      finishOwed = false;
      if (!(forward && identical(*forward, range))) {
        range.finish = schedule->finish(range.start, duration);
        forward = range;
      }
    }
    if (startOwed) {
      startOwed = false;
      if (!(backward && identical(*backward, range))) {
        range.start = schedule->start(range.finish, duration);
        backward = range;
      }
    }
    return range;
  }
};

enum class Placement { push, place };

// Items seen, each once: searched in a row while they are few, as an item's
// successors mostly are, and hashed beyond that.
class SeenItems {
 public:
  // True the first time `item` is offered.
  bool insert(const GanttChartItem* item) {
    if (!many_.empty()) return many_.insert(item).second;
    const auto end = few_.begin() + static_cast<std::ptrdiff_t>(count_);
    if (std::find(few_.begin(), end, item) != end) return false;
    if (count_ < few_.size()) {
      few_[count_++] = item;
      return true;
    }
    many_.insert(few_.begin(), few_.end());
    return many_.insert(item).second;
  }

 private:
  std::array<const GanttChartItem*, 16> few_;  // the first `count_` are set
  size_t count_ = 0;
  std::unordered_set<const GanttChartItem*> many_;
};

// Whether the library's own code alone answers for these: a host's subclass
// may re-enter the manager.
bool isSealed(const GanttChartDependencyLagProvider* lags, const ScheduleDefinition& calendar) {
  return detail::LinkPushCache::isKeepable(lags) && detail::LinkPushCache::isKeepable(calendar);
}

bool isSealed(const GanttChartDependency& link) {
  return detail::LinkPushCache::isKeepable(link) && detail::LinkPushCache::isKeepable(*link.from());
}

}  // namespace

GanttChartItemAutoSchedulingBehavior::GanttChartItemAutoSchedulingBehavior(
    std::optional<bool> applyingToUpdatingItems, std::optional<bool> aggregatingSources,
    std::optional<bool> preservingDurations,
    std::shared_ptr<GanttChartDependencyLagProvider> lagProvider)
    : applyingToUpdatingItems_(applyingToUpdatingItems.value_or(false)),
      aggregatingSources_(aggregatingSources),
      preservingDurations_(preservingDurations.value_or(true)),
      lagProvider_(std::move(lagProvider)) {}

GanttChartItemAutoSchedulingBehavior::GanttChartItemAutoSchedulingBehavior(
    std::optional<bool> applyingToUpdatingItems, std::optional<bool> aggregatingSources,
    std::optional<bool> preservingDurations, std::vector<GanttChartDependencyLagDefinition> lags)
    : GanttChartItemAutoSchedulingBehavior(
          applyingToUpdatingItems, aggregatingSources, preservingDurations,
          std::make_shared<GanttChartDependencyLagSet>(std::move(lags))) {}

GanttChartItemUpdateActions GanttChartItemAutoSchedulingBehavior::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& /*items*/,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return scheduleFrom(item, dependencies, schedule);
}

GanttChartItemUpdateActions GanttChartItemAutoSchedulingBehavior::dependencyWasAdded(
    const GanttChartDependencyPtr& dependency, const GanttChartItemList& /*items*/,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return scheduleFrom(dependency->from(), dependencies, schedule);
}

GanttChartItemUpdateActions GanttChartItemAutoSchedulingBehavior::timeDidChange(
    const GanttChartItemPtr& item, const TimeRange& /*from*/, bool /*up*/, bool /*down*/,
    const GanttChartItemList& /*items*/, const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return scheduleFrom(item, dependencies, schedule);
}

GanttChartItemUpdateActions GanttChartItemAutoSchedulingBehavior::scheduleFrom(
    const GanttChartItemPtr& item, const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  detail::LinkLookup links(dependencies, index_);
  const bool preserving = preservingDurations();

  // Exclusion is asked before the lag, and a usable dependency without a lag
  // counts as 0.
  const auto isUsable = [this](const GanttChartDependencyPtr& d) {
    return !lagProvider_ || !lagProvider_->shouldExclude(d);
  };
  const auto workingRangeOf = [&](const GanttChartItem& z) {
    auto calendar = detail::behaviorScheduleOf(z, schedule);
    const TimeRange range = z.time();
    const double duration = preserving ? calendar->duration(range.start, range.finish) : 0;
    return WorkingRange{std::move(calendar), duration, range};
  };
  // Where the dependency puts the linked end of `working`.
  const auto limitOf = [&](const WorkingRange& working, const GanttChartDependencyPtr& d) {
    const GanttChartItem& predecessor = *d->from();
    const Time anchor = d->fromType() == GanttChartDependencyEndType::finish ? predecessor.finish()
                                                                             : predecessor.start();
    // An item without working time (a milestone) is a moment. Linked by its
    // finish without a lag it meets the anchor itself, and its start is its
    // finish: counting zero working time from the anchor would step over the
    // night or weekend after it, and counting the zero duration back from
    // there over the one before, putting a milestone linked to a Monday 8:00
    // start on the Friday before, or one linked to a 16:00 finish on the
    // next morning.
    const bool moment = preserving && working.duration == 0;
    const double lag = lagProvider_ ? lagProvider_->lag(d).value_or(0) : 0.0;
    const bool toStart = d->toType() == GanttChartDependencyEndType::start;
    return moment && !toStart && lag == 0 ? anchor : working.schedule->finish(anchor, lag);
  };
  // Moves the linked end of `working` to `limit`: pushing keeps an end that
  // already lies later, placing does not.
  const auto moveTo = [&](WorkingRange& working, bool toStart, const Time& limit,
                          Placement placement) {
    TimeRange& range = working.range;
    if (toStart) {
      if (working.startOwed) working.settled();
      if (placement == Placement::place || !(limit < range.start)) range.start = limit;
      working.finishOwed = preserving;
      return;
    }
    if (working.finishOwed) working.settled();
    if (placement == Placement::place || !(limit < range.finish)) range.finish = limit;
    if (preserving && working.duration == 0) {
      range.start = range.finish;
    } else {
      working.startOwed = preserving;
    }
  };
  const auto apply = [&](WorkingRange& working, const GanttChartDependencyPtr& d,
                         Placement placement) {
    const Time limit = limitOf(working, d);
    moveTo(working, d->toType() == GanttChartDependencyEndType::start, limit, placement);
    return limit;
  };
  // Pushes `working` behind every usable link into `target`, link by link,
  // or in one step from the bound remembered for `target`. `placedBy`, when
  // set, is the link `working` was just placed by, at `placedAt`: pushing by
  // it again asks nothing new of an answer that cannot change.
  using Cache = detail::LinkPushCache;
  const Cache::Context context{dependencies, schedule, lagProvider_};
  const auto pushByAllLinks = [&](WorkingRange& working, const GanttChartItem& target,
                                  const GanttChartDependency* placedBy, const Time& placedAt) {
    if (const std::optional<detail::LinkPushBound> bound = pushCache_.find(&target, context)) {
      if (bound->links > 0) moveTo(working, true, bound->latest, Placement::push);
      return;
    }
    const uint64_t epoch = detail::schedulingEpoch();
    const bool sealed = isSealed(lagProvider_.get(), *working.schedule);
    // Worked out only for an item with links enough to remember a bound for.
    bool keepable =
        sealed && links.countInto(&target) >= pushCache_.minLinks() && Cache::isKeepable(target);
    detail::LinkPushBound bound;
    // The limit `e` pushed `working` to; std::nullopt for an excluded link.
    const auto pushBy = [&](const GanttChartDependencyPtr& e,
                            bool linkSealed) -> std::optional<Time> {
      if (e.get() == placedBy && linkSealed) {
        moveTo(working, e->toType() == GanttChartDependencyEndType::start, placedAt,
               Placement::push);
        return placedAt;
      }
      if (!isUsable(e)) return std::nullopt;
      return apply(working, e, Placement::push);
    };
    const auto visit = [&](const GanttChartDependencyPtr& e, bool linkSealed) {
      const std::optional<Time> limit = pushBy(e, linkSealed);
      if (!limit || !keepable) return;
      keepable = linkSealed && e->toType() == GanttChartDependencyEndType::start &&
                 std::isfinite(limit->timeOfDay);
      bound.include(*limit);
    };
    const size_t count = links.visitInto(
        &target, [&](const GanttChartDependency& e) { return sealed && isSealed(e); }, visit);
    if (keepable && count >= pushCache_.minLinks()) {
      pushCache_.remember(&target, bound, context, epoch);
    }
  };
  const auto differs = [](const TimeRange& range, const GanttChartItem& z) {
    return !(range.start == z.start() && range.finish == z.finish());
  };

  GanttChartItemUpdateActions actions;
  if (applyingToUpdatingItems()) {
    WorkingRange working = workingRangeOf(*item);
    pushByAllLinks(working, *item, nullptr, Time());
    if (differs(working.settled(), *item)) {
      actions.push_back(
          GanttChartItemUpdateAction::updateTimeAction(item, working.range, true, true));
    }
  }

  const std::optional<bool> aggregating = aggregatingSources();
  const bool placesByChangedLink = aggregating != true;
  const bool pushesByAllLinks = aggregating != false;
  SeenItems placed;
  detail::LinkLookup::Copies outgoing;
  links.copyOutOf(item.get(), outgoing);
  for (const GanttChartDependencyPtr& d : outgoing) {
    if (!isUsable(d)) continue;
    // A copy: a lag provider asked below may relink the dependency.
    const GanttChartItemPtr successor = d->to();
    WorkingRange working = workingRangeOf(*successor);
    const GanttChartDependency* placedBy = nullptr;
    Time placedAt;
    if (placesByChangedLink && placed.insert(successor.get())) {
      placedAt = apply(working, d, Placement::place);
      placedBy = d.get();
    }
    if (pushesByAllLinks) pushByAllLinks(working, *successor, placedBy, placedAt);
    if (differs(working.settled(), *successor)) {
      actions.push_back(
          GanttChartItemUpdateAction::updateTimeAction(successor, working.range, true, true));
    }
  }
  return actions;
}

}  // namespace vorlent

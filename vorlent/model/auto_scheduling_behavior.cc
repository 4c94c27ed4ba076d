#include "vorlent/model/auto_scheduling_behavior.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "vorlent/model/behavior_schedule.h"
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
struct WorkingRange {
  std::shared_ptr<const ScheduleDefinition> schedule;  // the item's calendar
  double duration;                     // its working duration, when preserved
  TimeRange range;
  // The last ranges whose far end was worked out from the near one, forward
  // (finish from start) and backward: a push that leaves `range` as one of
  // them would ask the calendar the same question again. A pushed item
  // with many links into it is asked about once per link.
  std::optional<TimeRange> forward;
  std::optional<TimeRange> backward;

  // `range.finish` from `range.start` and the duration.
  void keepDurationForward() {
    if (forward && identical(*forward, range)) return;
    range.finish = schedule->finish(range.start, duration);
    forward = range;
  }
  // `range.start` from `range.finish` and the duration.
  void keepDurationBackward() {
    if (backward && identical(*backward, range)) return;
    range.start = schedule->start(range.finish, duration);
    backward = range;
  }
};

enum class Placement { push, place };

// The dependencies into and out of an item, each in list order: from the item
// source's index attached to the list while it still describes the list, else
// from the behaviour's own index of the list. Handed out as copies, so that a
// lag provider or a calendar that re-enters the manager cannot change a list
// under the walk.
class LinkLookup {
 public:
  LinkLookup(GanttChartDependencyList dependencies, detail::BehaviorDependencyIndex& own)
      : dependencies_(std::move(dependencies)),
        source_(dynamic_cast<const detail::SourceDependencyLinks*>(dependencies_.index().get())),
        own_(own) {}

  std::vector<GanttChartDependencyPtr> into(const GanttChartItem* item) {
    return lookUp(item, &detail::SourceDependencyIndex::incoming,
                  &detail::BehaviorDependencyIndex::Positions::to);
  }
  std::vector<GanttChartDependencyPtr> outOf(const GanttChartItem* item) {
    return lookUp(item, &detail::SourceDependencyIndex::outgoing,
                  &detail::BehaviorDependencyIndex::Positions::from);
  }

 private:
  using SourceLinks = std::span<const detail::SourceDependencyIndex::Link> (
      detail::SourceDependencyIndex::*)(const GanttChartItem*) const;
  using OwnPositions = const std::vector<size_t>& (
      detail::BehaviorDependencyIndex::Positions::*)(const GanttChartItem*) const;

  std::vector<GanttChartDependencyPtr> lookUp(const GanttChartItem* item, SourceLinks links,
                                              OwnPositions positions) {
    std::vector<GanttChartDependencyPtr> found;
    if (const detail::SourceDependencyIndex* index = source_ ? source_->current() : nullptr) {
      for (const auto& link : (index->*links)(item)) found.push_back(link.dependency);
      return found;
    }
    // Built once per call, so that every later look-up of the call sees the
    // same list.
    if (!positions_) positions_ = own_.refresh(dependencies_);
    const auto& list = positions_->dependencies().elements();
    for (const size_t position : ((*positions_).*positions)(item)) found.push_back(list[position]);
    return found;
  }

  GanttChartDependencyList dependencies_;
  const detail::SourceDependencyLinks* source_;  // kept alive by `dependencies_`
  detail::BehaviorDependencyIndex& own_;
  std::shared_ptr<const detail::BehaviorDependencyIndex::Positions> positions_;
};

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
  LinkLookup links(dependencies, index_);
  const bool preserving = preservingDurations();

  // Exclusion is asked before the lag, and a usable dependency without a lag
  // counts as 0.
  const auto isUsable = [this](const GanttChartDependencyPtr& d) {
    return !lagProvider_ || !lagProvider_->shouldExclude(d);
  };
  const auto lagOf = [this](const GanttChartDependencyPtr& d) {
    return lagProvider_ ? lagProvider_->lag(d).value_or(0) : 0.0;
  };
  const auto workingRangeOf = [&](const GanttChartItem& z) {
    auto calendar = detail::behaviorScheduleOf(z, schedule);
    const TimeRange range = z.time();
    const double duration = preserving ? calendar->duration(range.start, range.finish) : 0;
    return WorkingRange{std::move(calendar), duration, range, std::nullopt, std::nullopt};
  };
  // Moves the linked end of `working` to the dependency's constraint time:
  // pushing keeps an end that already lies later, placing does not.
  // Answers the limit it moved to, or did not move to.
  const auto apply = [&](WorkingRange& working, const GanttChartDependencyPtr& d,
                         Placement placement) {
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
    const double lag = lagOf(d);
    const bool toStart = d->toType() == GanttChartDependencyEndType::start;
    const Time limit =
        moment && !toStart && lag == 0 ? anchor : working.schedule->finish(anchor, lag);
    TimeRange& range = working.range;
    if (toStart) {
      if (placement == Placement::place || !(limit < range.start)) range.start = limit;
      if (preserving) working.keepDurationForward();
    } else {
      if (placement == Placement::place || !(limit < range.finish)) range.finish = limit;
      if (preserving && moment) {
        range.start = range.finish;
      } else if (preserving) {
        working.keepDurationBackward();
      }
    }
    return limit;
  };
  // Pushes `working` behind every usable link into `target`, link by link,
  // or in one step from the bound remembered for `target`.
  using Cache = detail::LinkPushCache;
  const Cache::Context context{dependencies, schedule, lagProvider_};
  const auto pushByAllLinks = [&](WorkingRange& working, const GanttChartItem& target) {
    if (const std::optional<detail::LinkPushBound> bound = pushCache_.find(&target, context)) {
      if (bound->links > 0) {
        if (!(bound->latest < working.range.start)) working.range.start = bound->latest;
        if (preserving) working.keepDurationForward();
      }
      return;
    }
    const uint64_t epoch = detail::schedulingEpoch();
    const std::vector<GanttChartDependencyPtr> into = links.into(&target);
    bool keepable = into.size() >= pushCache_.minLinks() && Cache::isKeepable(target) &&
                    Cache::isKeepable(*working.schedule) && Cache::isKeepable(lagProvider_.get());
    detail::LinkPushBound bound;
    for (const GanttChartDependencyPtr& e : into) {
      if (!isUsable(e)) continue;
      const Time limit = apply(working, e, Placement::push);
      keepable = keepable && e->toType() == GanttChartDependencyEndType::start &&
                 Cache::isKeepable(*e) && Cache::isKeepable(*e->from()) &&
                 std::isfinite(limit.timeOfDay);
      if (bound.links == 0 || !(limit < bound.latest)) bound.latest = limit;
      ++bound.links;
    }
    if (keepable) pushCache_.remember(&target, bound, context, epoch);
  };
  const auto differs = [](const TimeRange& range, const GanttChartItem& z) {
    return !(range.start == z.start() && range.finish == z.finish());
  };

  GanttChartItemUpdateActions actions;
  if (applyingToUpdatingItems()) {
    WorkingRange working = workingRangeOf(*item);
    pushByAllLinks(working, *item);
    if (differs(working.range, *item)) {
      actions.push_back(
          GanttChartItemUpdateAction::updateTimeAction(item, working.range, true, true));
    }
  }

  const std::optional<bool> aggregating = aggregatingSources();
  const bool placesByChangedLink = aggregating != true;
  const bool pushesByAllLinks = aggregating != false;
  std::unordered_set<const GanttChartItem*> placed;
  for (const GanttChartDependencyPtr& d : links.outOf(item.get())) {
    if (!isUsable(d)) continue;
    // A copy: a lag provider asked below may relink the dependency.
    const GanttChartItemPtr successor = d->to();
    WorkingRange working = workingRangeOf(*successor);
    if (placesByChangedLink && placed.insert(successor.get()).second) {
      apply(working, d, Placement::place);
    }
    if (pushesByAllLinks) pushByAllLinks(working, *successor);
    if (differs(working.range, *successor)) {
      actions.push_back(
          GanttChartItemUpdateAction::updateTimeAction(successor, working.range, true, true));
    }
  }
  return actions;
}

}  // namespace vorlent

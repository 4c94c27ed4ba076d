#include "vorlent/model/constraint_behavior.h"

#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/model/behavior_schedule.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {

GanttChartItemConstraintBehavior::GanttChartItemConstraintBehavior(
    std::shared_ptr<GanttChartItemConstraintProvider> provider,
    std::optional<bool> preservingDurations)
    : provider_(std::move(provider)), preservingDurations_(preservingDurations.value_or(true)) {
  if (provider_ == nullptr) fatalStop("GanttChartItemConstraintBehavior: a provider is required");
}

GanttChartItemConstraintBehavior::GanttChartItemConstraintBehavior(
    std::vector<GanttChartItemConstraintDefinition> constraints,
    std::optional<bool> preservingDurations)
    : GanttChartItemConstraintBehavior(
          std::make_shared<GanttChartItemConstraintSet>(std::move(constraints)),
          preservingDurations) {}

GanttChartItemUpdateActions GanttChartItemConstraintBehavior::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& /*items*/,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return constrain(item, schedule);
}

GanttChartItemUpdateActions GanttChartItemConstraintBehavior::dependencyWasAdded(
    const GanttChartDependencyPtr& dependency, const GanttChartItemList& /*items*/,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return constrain(dependency->to(), schedule);
}

GanttChartItemUpdateActions GanttChartItemConstraintBehavior::timeDidChange(
    const GanttChartItemPtr& item, const TimeRange& /*from*/, bool /*up*/, bool /*down*/,
    const GanttChartItemList& /*items*/, const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return constrain(item, schedule);
}

GanttChartItemUpdateActions GanttChartItemConstraintBehavior::constrain(
    const GanttChartItemPtr& item, const std::shared_ptr<ScheduleDefinition>& schedule) const {
  const std::optional<GanttChartItemConstraints> limits = provider_->constraintsOf(item);
  if (!limits) return {};
  const auto calendar = detail::behaviorScheduleOf(*item, schedule);
  const bool preserving = preservingDurations();
  Time start = item->start();
  Time finish = item->finish();
  // Measured before anything moves, so every correction keeps the same amount.
  const double duration = preserving ? calendar->duration(start, finish) : 0;
  const auto finishMovedTo = [&](const Time& limit) {
    finish = limit;
    if (preserving) start = calendar->start(finish, duration);
  };
  const auto startMovedTo = [&](const Time& limit) {
    start = limit;
    if (preserving) finish = calendar->finish(start, duration);
  };

  if (limits->minFinish && finish < *limits->minFinish) finishMovedTo(*limits->minFinish);
  if (limits->maxStart && *limits->maxStart < start) startMovedTo(*limits->maxStart);
  if (limits->maxFinish && *limits->maxFinish < finish) finishMovedTo(*limits->maxFinish);
  if (limits->minStart && start < *limits->minStart) startMovedTo(*limits->minStart);

  if (start == item->start() && finish == item->finish()) return {};
  GanttChartItemUpdateActions actions;
  actions.push_back(
      GanttChartItemUpdateAction::updateTimeAction(item, {start, finish}, true, true));
  return actions;
}

}  // namespace vorlent

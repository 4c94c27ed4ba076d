#include "vorlent/model/link_push_cache.h"

#include <typeinfo>

#include "vorlent/model/scheduling_epoch.h"
#include "vorlent/time/schedule.h"

namespace vorlent::detail {

void LinkPushBound::include(const Time& limit) {
  if (links == 0 || !(limit < latest)) latest = limit;
  ++links;
}

std::optional<LinkPushBound> LinkPushCache::find(const GanttChartItem* item,
                                                 const Context& context) {
  if (bounds_.empty()) return std::nullopt;
  if (!holds(context) || epoch_ != schedulingEpoch()) {
    forget();
    return std::nullopt;
  }
  const auto found = bounds_.find(item);
  if (found == bounds_.end()) return std::nullopt;
  return found->second;
}

void LinkPushCache::remember(const GanttChartItem* item, const LinkPushBound& bound,
                             const Context& context, uint64_t epoch) {
  if (epoch != schedulingEpoch()) return;
  if (bounds_.empty() || !holds(context) || epoch_ != epoch) {
    forget();
    epoch_ = epoch;
    dependencies_ = context.dependencies.identity();
    schedule_ = context.schedule;
    lags_ = context.lags;
  }
  bounds_.insert_or_assign(item, bound);
}

bool LinkPushCache::holds(const Context& context) const {
  return context.dependencies.hasIdentity(dependencies_) && context.schedule == schedule_ &&
         context.lags == lags_;
}

void LinkPushCache::forget() {
  bounds_.clear();
  dependencies_.reset();
  schedule_.reset();
  lags_.reset();
}

bool LinkPushCache::isKeepable(const ScheduleDefinition& calendar) {
  if (typeid(calendar) != typeid(Schedule)) return false;
  return static_cast<const Schedule&>(calendar).excludedIntervalProvider() == nullptr;
}

}  // namespace vorlent::detail

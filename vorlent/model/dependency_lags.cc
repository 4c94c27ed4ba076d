#include "vorlent/model/dependency_lags.h"

#include <limits>
#include <utility>

#include "vorlent/model/dependency.h"
#include "vorlent/model/scheduling_epoch.h"

namespace vorlent {

GanttChartDependencyLagDefinition::GanttChartDependencyLagDefinition(
    std::shared_ptr<GanttChartDependency> linked, double seconds, std::optional<bool> excluded)
    : dependency(std::move(linked)), lag(seconds), shouldExclude(excluded.value_or(false)) {}

GanttChartDependencyLagSet::GanttChartDependencyLagSet(
    std::vector<GanttChartDependencyLagDefinition> lags)
    : lags_(std::move(lags)) {
  rebuildIndex();
}

void GanttChartDependencyLagSet::setLags(std::vector<GanttChartDependencyLagDefinition> lags) {
  detail::advanceSchedulingEpoch();
  lags_ = std::move(lags);
  rebuildIndex();
}

std::optional<double> GanttChartDependencyLagSet::lag(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  const GanttChartDependencyLagDefinition* definition = firstDefinition(dependency.get());
  if (definition == nullptr) return std::nullopt;
  return definition->lag;
}

bool GanttChartDependencyLagSet::shouldExclude(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  const GanttChartDependencyLagDefinition* definition = firstDefinition(dependency.get());
  return definition != nullptr && definition->shouldExclude;
}

const GanttChartDependencyLagDefinition* GanttChartDependencyLagSet::firstDefinition(
    const GanttChartDependency* dependency) const {
  if (dependency == nullptr) return nullptr;
  if (hintsUsable_) {
    const uint32_t hint = detail::lagHintOf(*dependency);
    if (hint < lags_.size() && lags_[hint].dependency.get() == dependency) return &lags_[hint];
  }
  const std::optional<size_t> found = firstIndex_.find(dependency);
  if (!found) return nullptr;
  if (hintsUsable_ && *found <= std::numeric_limits<uint32_t>::max()) {
    detail::setLagHint(*dependency, static_cast<uint32_t>(*found));
  }
  return &lags_[*found];
}

void GanttChartDependencyLagSet::rebuildIndex() {
  firstIndex_.clear();
  firstIndex_.reserve(lags_.size());
  for (size_t i = 0; i < lags_.size(); ++i) firstIndex_.add(lags_[i].dependency.get(), i);
  hintsUsable_ = firstIndex_.size() == lags_.size();
}

GanttChartDependencyLagSource::GanttChartDependencyLagSource(LagFunction function,
                                                             ExclusionFunction exclusionFunction)
    : function_(std::move(function)), exclusionFunction_(std::move(exclusionFunction)) {}

std::optional<double> GanttChartDependencyLagSource::lag(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  if (!function_) return std::nullopt;
  return function_(dependency);
}

bool GanttChartDependencyLagSource::shouldExclude(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  return exclusionFunction_ && exclusionFunction_(dependency);
}

}  // namespace vorlent

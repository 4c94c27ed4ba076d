#include "vorlent/model/constraints.h"

#include <ostream>
#include <utility>

namespace vorlent {

namespace {

void printLimit(std::ostream& out, const std::optional<Time>& limit) {
  if (limit) {
    out << *limit;
  } else {
    out << "-";
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const GanttChartItemConstraints& constraints) {
  out << "{";
  printLimit(out, constraints.minStart);
  out << ", ";
  printLimit(out, constraints.maxStart);
  out << ", ";
  printLimit(out, constraints.minFinish);
  out << ", ";
  printLimit(out, constraints.maxFinish);
  return out << "}";
}

GanttChartItemConstraintSet::GanttChartItemConstraintSet(
    std::vector<GanttChartItemConstraintDefinition> constraints)
    : constraints_(std::move(constraints)) {
  rebuildIndex();
}

void GanttChartItemConstraintSet::setConstraints(
    std::vector<GanttChartItemConstraintDefinition> constraints) {
  constraints_ = std::move(constraints);
  rebuildIndex();
}

std::optional<GanttChartItemConstraints> GanttChartItemConstraintSet::constraintsOf(
    const std::shared_ptr<GanttChartItem>& item) const {
  const auto found = firstIndex_.find(item.get());
  if (found == firstIndex_.end()) return std::nullopt;
  return constraints_[found->second].constraints;
}

void GanttChartItemConstraintSet::rebuildIndex() {
  firstIndex_.clear();
  firstIndex_.reserve(constraints_.size());
  // try_emplace keeps the earliest position, so the first definition wins.
  for (size_t i = 0; i < constraints_.size(); ++i) {
    firstIndex_.try_emplace(constraints_[i].item.get(), i);
  }
}

std::optional<GanttChartItemConstraints> GanttChartItemConstraintSource::constraintsOf(
    const std::shared_ptr<GanttChartItem>& item) const {
  if (!function_) return std::nullopt;
  return function_(item);
}

}  // namespace vorlent

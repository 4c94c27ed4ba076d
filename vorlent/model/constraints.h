#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vorlent/time/time.h"

namespace vorlent {

class GanttChartItem;

// The time limits of one item. An absent limit does not constrain.
struct GanttChartItemConstraints {
  std::optional<Time> minStart;
  std::optional<Time> maxStart;
  std::optional<Time> minFinish;
  std::optional<Time> maxFinish;

  GanttChartItemConstraints(std::optional<Time> earliestStart, std::optional<Time> latestStart,
                            std::optional<Time> earliestFinish, std::optional<Time> latestFinish)
      : minStart(earliestStart),
        maxStart(latestStart),
        minFinish(earliestFinish),
        maxFinish(latestFinish) {}
};

// Prints "{minStart, maxStart, minFinish, maxFinish}", "-" for an absent limit.
std::ostream& operator<<(std::ostream& out, const GanttChartItemConstraints& constraints);

// One item's constraints; the item is matched by identity.
struct GanttChartItemConstraintDefinition {
  std::shared_ptr<GanttChartItem> item;
  GanttChartItemConstraints constraints;

  GanttChartItemConstraintDefinition(std::shared_ptr<GanttChartItem> constrained,
                                     GanttChartItemConstraints limits)
      : item(std::move(constrained)), constraints(limits) {}
};

// Where the constraint behaviour takes an item's limits.
class GanttChartItemConstraintProvider {
 public:
  virtual ~GanttChartItemConstraintProvider() = default;
  // nullopt when the item has no constraints.
  [[nodiscard]] virtual std::optional<GanttChartItemConstraints> constraintsOf(
      const std::shared_ptr<GanttChartItem>& item) const = 0;
};

// A list of constraint definitions. An item's answer comes from the first
// definition for that very object, in list order; later ones for the same item
// are never reached. Lookups go through an identity index rebuilt whenever the
// list is replaced.
class GanttChartItemConstraintSet : public GanttChartItemConstraintProvider {
 public:
  explicit GanttChartItemConstraintSet(
      std::vector<GanttChartItemConstraintDefinition> constraints = {});

  [[nodiscard]] virtual const std::vector<GanttChartItemConstraintDefinition>& constraints() const {
    return constraints_;
  }
  // Takes effect at the next question.
  virtual void setConstraints(std::vector<GanttChartItemConstraintDefinition> constraints);

  [[nodiscard]] std::optional<GanttChartItemConstraints> constraintsOf(
      const std::shared_ptr<GanttChartItem>& item) const override;

 private:
  void rebuildIndex();

  std::vector<GanttChartItemConstraintDefinition> constraints_;
  std::unordered_map<const GanttChartItem*, size_t> firstIndex_;
};

// Constraints answered by a host function; an empty function answers none.
class GanttChartItemConstraintSource : public GanttChartItemConstraintProvider {
 public:
  using Function = std::function<std::optional<GanttChartItemConstraints>(
      const std::shared_ptr<GanttChartItem>&)>;

  explicit GanttChartItemConstraintSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  [[nodiscard]] std::optional<GanttChartItemConstraints> constraintsOf(
      const std::shared_ptr<GanttChartItem>& item) const override;

 private:
  Function function_;
};

}  // namespace vorlent

#pragma once

#include <cstdint>
#include <memory>

#include "vorlent/model/item_behavior.h"

namespace vorlent {

// Column mode: the rows form one column of items, as in a list. Adding an
// item at a row pushes the items at that row and below one row down, removing
// one pulls the items below it one row up (items sharing its row stay), and
// moving an item shifts the items between its old and new rows, both
// included, by one towards its old row. Every item other than the one of the
// call is considered, whatever its type, visibility or expansion; the answers
// are row changes only, so the manager applies each exactly once. Dependencies
// and the schedule are never read. A shift that would carry an item past the
// first or last representable row is refused whole: the rule then answers
// nothing and every row stays as it was.
//
// The items to shift are found by searching when the list comes from a
// producer that keeps it in row order (an item source), so re-applying the
// rule to every item of a large chart does not scan the chart for each item;
// any other list is scanned.
class GanttChartItemColumnBehavior : public GanttChartItemBehavior {
 public:
  GanttChartItemColumnBehavior() = default;

  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions itemWasRemoved(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  // A change whose old and new rows are equal (a re-application) shifts every
  // other item on that row down by one.
  GanttChartItemUpdateActions rowDidChange(
      const GanttChartItemPtr& item, int64_t from, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
};

}  // namespace vorlent

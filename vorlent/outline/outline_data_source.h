#pragma once

#include <QVariant>

#include <cstdint>
#include <vector>

#include "vorlent/outline/outline_dependency.h"
#include "vorlent/outline/outline_item.h"
#include "vorlent/outline/outline_row.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

class OutlineGanttChart;

// What a host implements to fill an OutlineGanttChart: the tree of rows and
// their cell values (the first four requirements, which have no default),
// the dependencies to show among items, and what the user changed in the
// chart (each told after the outline objects were updated, with the value
// from before). The chart holds its data source weakly. A null row stands
// for the root. Columns are the outline's model columns, by index.
//
// Answers may change between reloads only: the chart asks for counts and
// children when a row is first shown and again at each reload, and keeps
// what it was told in between. The rules read the chart's items and links
// once per edit (a drag step, say), for speed: a change the host makes
// meanwhile counts from the next edit, unless the host announces it with the
// chart's `reloadData()` or its item manager's `collectionDidChange()`, from
// a notification below included; the rest of that edit then reads the links
// again (the rows themselves are listed again once the edit is over).
class OutlineGanttChartDataSource {
 public:
  virtual ~OutlineGanttChartDataSource() = default;

  // The child at `index` of `ofItem` (of the root when null). A null answer
  // shows an empty row without bars or children.
  virtual OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& chart, int64_t index,
                                                         const OutlineGanttChartRowPtr& ofItem) = 0;
  // Whether the row has children (an expansion arrow).
  virtual bool outlineGanttChartIsItemExpandable(OutlineGanttChart& chart,
                                                 const OutlineGanttChartRowPtr& item) = 0;
  // The number of children of the row (of root rows when null); a negative
  // answer counts as 0.
  virtual int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& chart,
                                                          const OutlineGanttChartRowPtr& item) = 0;
  // The cell value shown in `column` of the row.
  virtual QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& chart, int column,
                                                   const OutlineGanttChartRowPtr& byItem) = 0;
  // The user edited a cell.
  virtual void outlineGanttChartSetObjectValue(OutlineGanttChart& /*chart*/,
                                               const QVariant& /*value*/, int /*column*/,
                                               const OutlineGanttChartRowPtr& /*byItem*/) {}

  // The dependencies to show among `items` (those on the rows the chart
  // shows); ends the chart does not show are left out.
  virtual std::vector<OutlineGanttChartDependencyPtr> outlineGanttChartDependenciesFor(
      OutlineGanttChart& /*chart*/, const std::vector<OutlineGanttChartItemPtr>& /*items*/) {
    return {};
  }

  virtual void outlineGanttChartTimeDidChangeFor(OutlineGanttChart& /*chart*/,
                                                 const OutlineGanttChartItemPtr& /*item*/,
                                                 const TimeRange& /*from*/) {}
  virtual void outlineGanttChartCompletionDidChangeFor(OutlineGanttChart& /*chart*/,
                                                       const OutlineGanttChartItemPtr& /*item*/,
                                                       double /*from*/) {}
  virtual void outlineGanttChartRowDidChangeFor(OutlineGanttChart& /*chart*/,
                                                const OutlineGanttChartItemPtr& /*item*/,
                                                const OutlineGanttChartRowPtr& /*from*/,
                                                const OutlineGanttChartRowPtr& /*to*/) {}
  virtual void outlineGanttChartDidAddItem(OutlineGanttChart& /*chart*/,
                                           const OutlineGanttChartItemPtr& /*item*/,
                                           const OutlineGanttChartRowPtr& /*to*/) {}
  virtual void outlineGanttChartDidRemoveItem(OutlineGanttChart& /*chart*/,
                                              const OutlineGanttChartItemPtr& /*item*/,
                                              const OutlineGanttChartRowPtr& /*from*/) {}
  virtual void outlineGanttChartDidAddDependency(
      OutlineGanttChart& /*chart*/, const OutlineGanttChartDependencyPtr& /*dependency*/) {}
  virtual void outlineGanttChartDidRemoveDependency(
      OutlineGanttChart& /*chart*/, const OutlineGanttChartDependencyPtr& /*dependency*/) {}
};

}  // namespace vorlent

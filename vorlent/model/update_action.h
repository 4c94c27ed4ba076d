#pragma once

#include <cstdint>
#include <iosfwd>
#include <variant>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// A follow-up change a behaviour asks the item manager to make; it owns a
// reference to its item. Time and completion changes carry `up` and `down`,
// which the manager passes back to the behaviour as they are; with both false
// the change is made without consulting the behaviour again. Row and
// visibility changes are always made without consulting it. On applying, the
// manager moves a time onto working time according to the item's type and
// limits a completion to 0...1.
class GanttChartItemUpdateAction {
 public:
  struct UpdateTime {
    GanttChartItemPtr item;
    TimeRange value;
    bool up;
    bool down;
  };
  struct UpdateCompletion {
    GanttChartItemPtr item;
    double value;
    bool up;
    bool down;
  };
  struct UpdateRow {
    GanttChartItemPtr item;
    int64_t value;
  };
  struct UpdateVisibility {
    GanttChartItemPtr item;
    bool value;
  };
  using Variant = std::variant<UpdateTime, UpdateCompletion, UpdateRow, UpdateVisibility>;

  // A null item is a fatal stop.
  static GanttChartItemUpdateAction updateTimeAction(GanttChartItemPtr item, const TimeRange& value,
                                                     bool up, bool down);
  static GanttChartItemUpdateAction updateCompletionAction(GanttChartItemPtr item, double value,
                                                           bool up, bool down);
  static GanttChartItemUpdateAction updateRowAction(GanttChartItemPtr item, int64_t value);
  static GanttChartItemUpdateAction updateVisibilityAction(GanttChartItemPtr item, bool value);

  [[nodiscard]] const Variant& variant() const { return variant_; }
  [[nodiscard]] const GanttChartItemPtr& item() const;

 private:
  explicit GanttChartItemUpdateAction(Variant variant) : variant_(std::move(variant)) {}
  Variant variant_;
};

using GanttChartItemUpdateActions = std::vector<GanttChartItemUpdateAction>;

// Prints the case, the item's label and the value, for readable test output.
std::ostream& operator<<(std::ostream& out, const GanttChartItemUpdateAction& action);

}  // namespace vorlent

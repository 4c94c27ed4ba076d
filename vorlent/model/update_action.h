#pragma once

#include <cstdint>
#include <iosfwd>
#include <variant>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// One change for the item manager to apply, as answered by a behaviour. The
// action keeps its item alive. Time and completion changes carry the cascade
// flags `up` and `down`: the manager hands them to the behaviour unchanged,
// and a change with neither is applied without asking the behaviour. Row and
// visibility changes never consult the behaviour. The manager snaps a time to
// working time by the item's type and clamps a completion to 0...1 when it
// applies them.
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

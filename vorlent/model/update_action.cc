#include "vorlent/model/update_action.h"

#include <ostream>

#include "vorlent/base/fatal.h"

namespace vorlent {
namespace {

GanttChartItemPtr requireItem(GanttChartItemPtr item) {
  if (!item) fatalStop("GanttChartItemUpdateAction: an update action needs an item");
  return item;
}

}  // namespace

GanttChartItemUpdateAction GanttChartItemUpdateAction::updateTimeAction(GanttChartItemPtr item,
                                                                        const TimeRange& value,
                                                                        bool up, bool down) {
  return GanttChartItemUpdateAction(UpdateTime{requireItem(std::move(item)), value, up, down});
}

GanttChartItemUpdateAction GanttChartItemUpdateAction::updateCompletionAction(
    GanttChartItemPtr item, double value, bool up, bool down) {
  return GanttChartItemUpdateAction(
      UpdateCompletion{requireItem(std::move(item)), value, up, down});
}

GanttChartItemUpdateAction GanttChartItemUpdateAction::updateRowAction(GanttChartItemPtr item,
                                                                       int64_t value) {
  return GanttChartItemUpdateAction(UpdateRow{requireItem(std::move(item)), value});
}

GanttChartItemUpdateAction GanttChartItemUpdateAction::updateVisibilityAction(
    GanttChartItemPtr item, bool value) {
  return GanttChartItemUpdateAction(UpdateVisibility{requireItem(std::move(item)), value});
}

const GanttChartItemPtr& GanttChartItemUpdateAction::item() const {
  return std::visit([](const auto& change) -> const GanttChartItemPtr& { return change.item; },
                    variant_);
}

std::ostream& operator<<(std::ostream& out, const GanttChartItemUpdateAction& action) {
  const auto& label = action.item()->label();
  const std::string name = label ? *label : std::string("<unlabelled>");
  std::visit(
      [&](const auto& change) {
        using Change = std::decay_t<decltype(change)>;
        if constexpr (std::is_same_v<Change, GanttChartItemUpdateAction::UpdateTime>) {
          out << "updateTime(" << name << ", " << change.value << ", up " << change.up << ", down "
              << change.down << ")";
        } else if constexpr (std::is_same_v<Change, GanttChartItemUpdateAction::UpdateCompletion>) {
          out << "updateCompletion(" << name << ", " << change.value << ", up " << change.up
              << ", down " << change.down << ")";
        } else if constexpr (std::is_same_v<Change, GanttChartItemUpdateAction::UpdateRow>) {
          out << "updateRow(" << name << ", " << change.value << ")";
        } else {
          out << "updateVisibility(" << name << ", " << change.value << ")";
        }
      },
      action.variant());
  return out;
}

}  // namespace vorlent

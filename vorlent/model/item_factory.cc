#include "vorlent/model/item_factory.h"

namespace vorlent {

GanttChartItemPtr GanttChartItemFactory::createItem(int64_t row, const Time& time,
                                                    bool isMilestone) {
  return std::make_shared<GanttChartItem>(
      std::nullopt, row, time, time, 0.0, std::nullopt, std::nullopt, nullptr, true, 0, true,
      isMilestone ? GanttChartItemType::milestone : GanttChartItemType::standard, std::nullopt);
}

GanttChartDependencyPtr GanttChartItemFactory::createDependency(const GanttChartItemPtr& from,
                                                                const GanttChartItemPtr& to,
                                                                GanttChartDependencyType type) {
  return std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true, type,
                                                std::nullopt);
}

}  // namespace vorlent

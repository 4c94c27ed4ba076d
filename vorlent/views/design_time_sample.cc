#include "vorlent/views/design_time_sample.h"

#include <utility>
#include <vector>

#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_format.h"
#include "vorlent/model/item_source.h"

namespace vorlent::detail {

std::shared_ptr<GanttChartHeaderController> makeSampleHeaderController() {
  auto controller = GanttChartHeaderController::create(std::nullopt);
  controller->setRows({GanttChartHeaderRow(
      TimeSelector(TimeIntervalType::days(), TimeLabelFormat::dayOfWeekShortAbbreviation()))});
  return controller;
}

GanttChartContentControllerPtr makeSampleContentController(const Time& start) {
  const GanttChartItemPtr first =
      GanttChartItem::create({.row = 0, .start = start, .finish = start.addingDays(1)});
  const GanttChartItemPtr second = GanttChartItem::create(
      {.row = 1, .start = start.addingDays(1), .finish = start.addingDays(2)});
  const GanttChartItemPtr third = GanttChartItem::create({.row = 1,
                                                          .start = start.addingDays(2),
                                                          .finish = start.addingDays(2),
                                                          .type = GanttChartItemType::milestone});
  std::vector<GanttChartDependencyPtr> dependencies{
      GanttChartDependency::create({.from = first, .to = second}),
      GanttChartDependency::create({.from = second, .to = third})};
  auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{first, second, third}, std::move(dependencies));
  const GanttChartContentControllerPtr sample = GanttChartContentController::create(source);
  sample->setDesiredScrollableRowCount(100);
  sample->setScrollableTimeline(TimeRange(start, start.addingWeeks(5)));
  return sample;
}

}  // namespace vorlent::detail

#include "vorlent/views/chart_view_testing.h"

#include <vector>

#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent::testing {

ChartProject::ChartProject(int weeks, int64_t rows) {
  task = GanttChartItem::create(
      {.row = 0, .start = weekDay(1, 8), .finish = weekDay(3, 8), .details = "Build it"});
  gate = GanttChartItem::create({.row = 1,
                                 .start = weekDay(4, 0),
                                 .finish = weekDay(4, 0),
                                 .type = GanttChartItemType::milestone});
  phase = GanttChartItem::create({.row = 2,
                                  .start = weekDay(1, 8),
                                  .finish = weekDay(5, 16),
                                  .type = GanttChartItemType::summary});
  link = GanttChartDependency::create({.from = task, .to = gate, .details = "Then open"});
  auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{task, gate, phase}, std::vector<GanttChartDependencyPtr>{link},
      ScheduleDefinition::standard());
  auto content = GanttChartContentController::create(source);
  content->setScrollableTimeline(TimeRange(weekDay(0, 0), weekDay(7 * weeks, 0)));
  content->setDesiredScrollableRowCount(rows);
  controller = GanttChartController::create(GanttChartHeaderController::create(std::nullopt),
                                            std::move(content));
}

ChartViewTest::ChartViewTest(QSize size, int weeks, int64_t rows)
    : project(weeks, rows), chart(std::make_unique<GanttChart>()) {
  chart->resize(size);
  showActive(*chart);
  chart->setController(project.controller);
}

ChartViewTest::~ChartViewTest() = default;

int ChartViewTest::headerX() const { return chart->header()->scrollView()->scrollOffset().x(); }

int ChartViewTest::contentX() const { return chart->content()->scrollView()->scrollOffset().x(); }

int ChartViewTest::headerViewportWidth() const {
  return chart->header()->scrollView()->viewport()->width();
}

int ChartViewTest::contentViewportWidth() const {
  return chart->content()->scrollView()->viewport()->width();
}

QPointF ChartViewTest::onContent(const Point& point) const {
  return chart->content()->scrollView()->viewportPoint(QPointF(point.x, point.y));
}

Point ChartViewTest::centreOf(const GanttChartItemPtr& item) const {
  const Rectangle bounds = project.controller->contentController()->bounds(item);
  return Point{bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2};
}

}  // namespace vorlent::testing

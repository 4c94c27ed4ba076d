#pragma once

// Test support for the whole chart view: a real chart controller over a
// small project, in a shown chart, with the header and chart area read
// back as a user sees them.

#include <gtest/gtest.h>

#include <QPointF>
#include <QSize>

#include <memory>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time.h"
#include "vorlent/views/chart_view.h"

namespace vorlent::testing {

// Week 1 of the library's calendar: Sunday 7 January 2001.
inline Time weekDay(int64_t day, double hours) { return Time(1, day, hours * 3600); }

// A chart controller over a task (row 0), a milestone (row 1) and a summary
// (row 2), the task linked to the milestone, on the standard schedule over
// `weeks` weeks from weekDay(0, 0), with the default header rows (weeks over
// days) and `rows` scrollable rows.
struct ChartProject {
  explicit ChartProject(int weeks = 3, int64_t rows = 40);

  GanttChartItemPtr task;
  GanttChartItemPtr gate;
  GanttChartItemPtr phase;
  GanttChartDependencyPtr link;
  GanttChartControllerPtr controller;
};

// A shown, active chart of `size` over a ChartProject, and where its header
// and chart area stand.
class ChartViewTest : public ::testing::Test {
 protected:
  explicit ChartViewTest(QSize size = QSize(640, 320), int weeks = 3, int64_t rows = 40);
  ~ChartViewTest() override;

  // The scroll offsets (whole pixels) of the header and the chart area.
  [[nodiscard]] int headerX() const;
  [[nodiscard]] int contentX() const;
  // The viewport widths of the two, in pixels.
  [[nodiscard]] int headerViewportWidth() const;
  [[nodiscard]] int contentViewportWidth() const;
  // Where the chart area's canvas shows a document point.
  [[nodiscard]] QPointF onContent(const Point& point) const;
  // The centre of an item's bar, in document coordinates.
  [[nodiscard]] Point centreOf(const GanttChartItemPtr& item) const;

  ChartProject project;
  std::unique_ptr<GanttChart> chart;
};

}  // namespace vorlent::testing

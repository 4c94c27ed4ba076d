#include "vorlent/views/header_view_testing.h"

#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>

#include "vorlent/time/time_range.h"
#include "vorlent/views/hidden_scroller.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent::testing {

std::shared_ptr<GanttChartHeaderController> makeHeaderController(int weeks) {
  return GanttChartHeaderController::create(
      TimeRange(kHeaderStart, kHeaderStart.addingWeeks(weeks)));
}

std::unique_ptr<GanttChartHeader> makeShownHeader(int width, int height) {
  auto header = std::make_unique<GanttChartHeader>();
  HiddenScroller::install(*header->scrollView());
  header->resize(width, height);
  header->show();
  return header;
}

int countInk(const QImage& image, const QRect& area, double lightness) {
  const QRect inside = area.intersected(image.rect());
  int count = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (image.pixelColor(x, y).lightnessF() < lightness) ++count;
    }
  }
  return count;
}

std::vector<QRect> visibleCells(const GanttChartHeader& header, int rowIndex, double minimumWidth) {
  const auto controller = header.controller();
  const Rectangle viewport = controller->viewport();
  std::vector<QRect> result;
  for (const GanttChartHeaderCell& cell : controller->cells()) {
    const Rectangle& b = cell.area.bounds;
    if (controller->row(b.top() + 1) != rowIndex) continue;
    const double left = std::max(b.left(), viewport.left()) - viewport.left();
    const double right = std::min(b.right(), viewport.right()) - viewport.left();
    if (right - left < minimumWidth) continue;
    result.emplace_back(static_cast<int>(left) + 2, static_cast<int>(b.top()),
                        static_cast<int>(right - left) - 4, static_cast<int>(b.height()));
  }
  return result;
}

void expectInkInEveryCell(const GanttChartHeader& header, const QImage& image, int rowIndex,
                          std::size_t expectedCells) {
  const std::vector<QRect> cells = visibleCells(header, rowIndex);
  EXPECT_EQ(cells.size(), expectedCells);
  for (const QRect& cell : cells) {
    EXPECT_GT(countInk(image, cell), 0) << "no label in the cell at x " << cell.x();
  }
}

}  // namespace vorlent::testing

#include "vorlent/views/header_view_testing.h"

#include <QColor>

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

}  // namespace vorlent::testing

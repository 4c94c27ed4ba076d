#pragma once

#include <QImage>
#include <QRect>

#include <cstddef>
#include <memory>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/time/time.h"
#include "vorlent/views/header_view.h"

namespace vorlent::testing {

// The start of every test header's timeline: the library's reference time.
inline constexpr Time kHeaderStart = Time::reference();

// A header controller over `weeks` weeks from kHeaderStart, with the default
// rows (weeks over days).
std::shared_ptr<GanttChartHeaderController> makeHeaderController(int weeks = 5);

// A shown header view of the given size whose horizontal scroller takes no
// room (as inside a chart view), so its canvas is as high as the view.
std::unique_ptr<GanttChartHeader> makeShownHeader(int width, int height);

// The pixels in `area` (cut to the image) darker than `lightness`, in 0...1.
int countInk(const QImage& image, const QRect& area, double lightness = 0.5);

// The visible cells of the header's controller, in view coordinates, from
// the row at `rowIndex`, each inside its borders; cells cut by the view's
// edge are kept when at least `minimumWidth` points of them show.
std::vector<QRect> visibleCells(const GanttChartHeader& header, int rowIndex,
                                double minimumWidth = 30);

// Expects `expectedCells` visible cells in the row, each with ink (its
// label) in `image`, whose top left shows the header's.
void expectInkInEveryCell(const GanttChartHeader& header, const QImage& image, int rowIndex,
                          std::size_t expectedCells);

}  // namespace vorlent::testing

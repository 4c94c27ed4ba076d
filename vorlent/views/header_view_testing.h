#pragma once

#include <QImage>
#include <QRect>

#include <memory>

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

}  // namespace vorlent::testing

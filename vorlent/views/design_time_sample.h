#pragma once

// The small charts the views show when prepared for designing a window.

#include <memory>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/time/time.h"

namespace vorlent::detail {

// A header of one row of days, each labelled with its short weekday name,
// without a timeline of its own.
[[nodiscard]] std::shared_ptr<GanttChartHeaderController> makeSampleHeaderController();

// A chart area of three items: a one-day bar on row 0 from `start`, the
// next day's bar on row 1 and a milestone at that bar's end, linked in a
// chain; 100 scrollable rows over five weeks from `start`.
[[nodiscard]] GanttChartContentControllerPtr makeSampleContentController(const Time& start);

}  // namespace vorlent::detail

#pragma once

#include <utility>

#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/time_area.h"

namespace vorlent {

// One cell of a header band: the band and the evaluated area (interval,
// label, style and bounds). Made by the header's controller.
struct GanttChartHeaderCell {
  GanttChartHeaderRow row;
  TimeArea area;

  GanttChartHeaderCell(GanttChartHeaderRow rowValue, TimeArea areaValue)
      : row(std::move(rowValue)), area(std::move(areaValue)) {}
};

}  // namespace vorlent

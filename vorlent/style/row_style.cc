#include "vorlent/style/row_style.h"

#include "vorlent/base/fatal.h"

namespace vorlent {

std::optional<GanttChartRowStyle> GanttChartRowStyleSource::style(int64_t row) const {
  if (!function_) return std::nullopt;
  return function_(row);
}

bool isAlternateRow(int64_t row, int64_t rowCount, bool alternativeRowsOnCount) {
  const int64_t rowParity = floorMod(row, 2);  // [0, 1], also for negative rows
  if (!alternativeRowsOnCount) return rowParity == 1;
  return rowParity != floorMod(rowCount, 2);
}

}  // namespace vorlent

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "vorlent/graphics/border.h"
#include "vorlent/graphics/color.h"

namespace vorlent {

// The background and borders of one row of the chart area. A nil field means
// "none from this style"; how the chart area combines the plain and the
// alternative row style is `GanttChartContentBaseStyle::rowStyleFor`.
struct GanttChartRowStyle {
  std::optional<Color> backgroundColor;
  std::optional<std::vector<Border>> borders;

  // Borders start nil; an empty style is made by passing nil.
  explicit GanttChartRowStyle(std::optional<Color> background = std::nullopt)
      : backgroundColor(std::move(background)) {}
};

// Lets a host decide the look of rows one by one. A style returned for a row
// replaces the row styles entirely for that row (its nil fields mean none);
// nil leaves the row to the plain and alternative row styles.
class GanttChartRowStyleSelector {
 public:
  virtual ~GanttChartRowStyleSelector() = default;
  [[nodiscard]] virtual std::optional<GanttChartRowStyle> style(int64_t row) const = 0;
};

// A row style selector backed by a function, which it keeps alive.
class GanttChartRowStyleSource final : public GanttChartRowStyleSelector {
 public:
  using Function = std::function<std::optional<GanttChartRowStyle>(int64_t row)>;

  explicit GanttChartRowStyleSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  // The function's answer, unchanged; an empty function answers nil.
  [[nodiscard]] std::optional<GanttChartRowStyle> style(int64_t row) const override;

 private:
  Function function_;
};

// Whether `row` is an alternate row. Without `alternativeRowsOnCount` the odd
// rows are (row 0 is plain); with it, the rows whose parity differs from that
// of `rowCount`, so that the last row is always an alternate row.
[[nodiscard]] bool isAlternateRow(int64_t row, int64_t rowCount, bool alternativeRowsOnCount);

}  // namespace vorlent

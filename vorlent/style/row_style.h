#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "vorlent/graphics/border.h"
#include "vorlent/graphics/color.h"

namespace vorlent {

// The background and borders of one row of the chart area. A field left
// std::nullopt contributes nothing; `GanttChartContentBaseStyle::rowStyleFor`
// decides how the plain and the alternative row style combine.
struct GanttChartRowStyle {
  std::optional<Color> backgroundColor;
  std::optional<std::vector<Border>> borders;

  // `borders` starts as std::nullopt; the default argument gives a style
  // with neither field set.
  explicit GanttChartRowStyle(std::optional<Color> background = std::nullopt)
      : backgroundColor(std::move(background)) {}
};

// A host's per-row override. A returned style is used on its own for that
// row, without falling back to the row styles for fields it leaves
// std::nullopt; returning std::nullopt keeps the plain and alternative row
// styles for the row.
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
  // The function's answer, unchanged; std::nullopt when the function is
  // empty.
  [[nodiscard]] std::optional<GanttChartRowStyle> style(int64_t row) const override;

 private:
  Function function_;
};

// Whether `row` is drawn in the alternative style. Normally every odd row is,
// counting from a plain row 0. With `alternativeRowsOnCount` the pattern is
// anchored at the bottom instead: rows of the opposite parity to `rowCount`
// alternate, which always includes the last row.
[[nodiscard]] bool isAlternateRow(int64_t row, int64_t rowCount, bool alternativeRowsOnCount);

}  // namespace vorlent

#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "vorlent/graphics/color.h"

namespace vorlent {

class GanttChartDependency;

// Overrides of the chart area's look for one dependency line; absent means
// not set.
struct GanttChartDependencyStyle {
  std::optional<Color> lineColor;
  std::optional<double> lineWidth;

  GanttChartDependencyStyle(std::optional<Color> color, std::optional<double> width)
      : lineColor(color), lineWidth(width) {}
};

// Chooses the style of a dependency line by a rule. A style it returns
// replaces the dependency's own style as a whole; nullopt leaves the
// dependency's own style in force.
class GanttChartDependencyStyleSelector {
 public:
  virtual ~GanttChartDependencyStyleSelector() = default;
  [[nodiscard]] virtual std::optional<GanttChartDependencyStyle> style(
      const std::shared_ptr<GanttChartDependency>& dependency) const = 0;
};

// A selector made of a function, which it keeps for as long as it lives.
class GanttChartDependencyStyleSource : public GanttChartDependencyStyleSelector {
 public:
  using Function = std::function<std::optional<GanttChartDependencyStyle>(
      const std::shared_ptr<GanttChartDependency>&)>;

  explicit GanttChartDependencyStyleSource(Function styleFunction)
      : function(std::move(styleFunction)) {}

  // The function's answer, unchanged; an empty function answers nullopt.
  [[nodiscard]] std::optional<GanttChartDependencyStyle> style(
      const std::shared_ptr<GanttChartDependency>& dependency) const override {
    return function ? function(dependency) : std::nullopt;
  }

  const Function function;
};

// What the host lets the user do with one dependency line, whether it is
// drawn highlighted, and its own style. Deleting the line also needs the
// deleting permissions of both its items.
struct GanttChartDependencySettings {
  bool isHighlighted = false;
  bool allowsDeletingDependencyLine = true;
  GanttChartDependencyStyle style{std::nullopt, std::nullopt};

  [[nodiscard]] bool isReadOnly() const { return !allowsDeletingDependencyLine; }
  // Highlight and style stay.
  void setIsReadOnly(bool readOnly) { allowsDeletingDependencyLine = !readOnly; }
};

}  // namespace vorlent

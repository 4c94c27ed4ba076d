#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "vorlent/graphics/color.h"
#include "vorlent/graphics/font.h"

namespace vorlent {

class GanttChartItem;

// Overrides of the chart area's look for one item. An absent field leaves the
// value open: the resolver falls back to the per-type entries and the base
// style. Focus, highlight and selection looks, alignment, insets and corner
// radii are never overridden per item.
struct GanttChartItemStyle {
  std::optional<Color> barFillColor;
  std::optional<Color> secondaryBarFillColor;
  std::optional<Color> barStrokeColor;
  std::optional<double> barStrokeWidth;
  std::optional<Color> completionBarFillColor;
  std::optional<Color> secondaryCompletionBarFillColor;
  std::optional<Color> completionBarStrokeColor;
  std::optional<double> completionBarStrokeWidth;
  std::optional<Color> labelForegroundColor;
  std::optional<Font> labelFont;
  std::optional<Color> attachmentForegroundColor;
  std::optional<Font> attachmentFont;

  // Sets the bar fill only; an empty style is made by passing nullopt.
  explicit GanttChartItemStyle(std::optional<Color> barFill) : barFillColor(barFill) {}
};

// Chooses the style of an item by a rule. A style it returns replaces the
// item's own style as a whole (fields it leaves open fall through to the
// per-type entries, not to the item's own style); nullopt leaves the item's
// own style in force.
class GanttChartItemStyleSelector {
 public:
  virtual ~GanttChartItemStyleSelector() = default;
  [[nodiscard]] virtual std::optional<GanttChartItemStyle> style(
      const std::shared_ptr<GanttChartItem>& item) const = 0;
};

// A selector made of a function, which it keeps (with what it captures) for as
// long as it lives.
class GanttChartItemStyleSource : public GanttChartItemStyleSelector {
 public:
  using Function =
      std::function<std::optional<GanttChartItemStyle>(const std::shared_ptr<GanttChartItem>&)>;

  explicit GanttChartItemStyleSource(Function styleFunction) : function(std::move(styleFunction)) {}

  // The function's answer, unchanged; an empty function answers nullopt.
  [[nodiscard]] std::optional<GanttChartItemStyle> style(
      const std::shared_ptr<GanttChartItem>& item) const override {
    return function ? function(item) : std::nullopt;
  }

  const Function function;
};

}  // namespace vorlent

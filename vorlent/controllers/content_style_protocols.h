#pragma once

#include "vorlent/graphics/mode.h"
#include "vorlent/style/content_base_style.h"
#include "vorlent/style/theme.h"

namespace vorlent {

// Replaces the style a theme gives the chart area: asked by the controller
// each time it applies a theme, with the theme's style; its answer becomes
// the default style. Held weakly; no default.
class GanttChartContentStyleProvider {
 public:
  virtual ~GanttChartContentStyleProvider() = default;
  virtual GanttChartContentBaseStyle style(const GanttChartContentBaseStyle& basedOn,
                                           const Theme& theme, Mode mode) = 0;
};

// Told after the controller replaced its default style by applying a theme.
class GanttChartContentStyleObserver {
 public:
  virtual ~GanttChartContentStyleObserver() = default;
  virtual void defaultStyleDidChange(const GanttChartContentBaseStyle& /*to*/,
                                     const GanttChartContentBaseStyle& /*from*/) {}
};

}  // namespace vorlent

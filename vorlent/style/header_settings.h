#pragma once

#include "vorlent/style/header_base_style.h"
#include "vorlent/style/header_style.h"
#include "vorlent/style/theme.h"
#include "vorlent/graphics/mode.h"

namespace vorlent {

namespace detail {
struct RecordedThemeAccess;
}

// The header controller's configuration: drag-to-zoom and the three layers
// of the header's look. `defaultStyle` holds a full set of values (usually a
// theme's), `style` whatever the host overrides, and `actualStyle` the result
// of applying those overrides, recomputed by both setters so that reads cost
// no merge.
class GanttChartHeaderSettings {
 public:
  // Whether a sideways drag in the header zooms the chart.
  bool allowsZooming = true;
  // The zoom range the drag reaches.
  double minZoom = 0.3125;
  double maxZoom = 6.4;
  // Points of drag per whole step of zoom.
  double zoomingUnitWidth = 40;
  // Points of drag, around zoom 1, that leave the zoom unchanged.
  double zoomingThresholdWidth = 8;
  // The controller caches cells and areas per rectangle.
  bool usesCache = true;

  GanttChartHeaderSettings() = default;

  [[nodiscard]] const GanttChartHeaderBaseStyle& defaultStyle() const { return defaultStyle_; }
  // Also marks the recorded theme `none`: a style assigned by hand is no
  // theme's, so the next theme application replaces it. Recomputes
  // `actualStyle`.
  void setDefaultStyle(GanttChartHeaderBaseStyle defaultStyle);

  [[nodiscard]] const GanttChartHeaderStyle& style() const { return style_; }
  // Recomputes `actualStyle`; the recorded theme stays.
  void setStyle(GanttChartHeaderStyle style);

  // `style().applyingTo(defaultStyle())`, stored.
  [[nodiscard]] const GanttChartHeaderBaseStyle& actualStyle() const { return actualStyle_; }

 private:
  friend struct detail::RecordedThemeAccess;

  GanttChartHeaderBaseStyle defaultStyle_;
  // Which theme and mode produced `defaultStyle_`; written only by the
  // controller that applies themes.
  Theme theme_ = Theme::generic();
  Mode mode_ = Mode::light;
  GanttChartHeaderStyle style_;
  GanttChartHeaderBaseStyle actualStyle_;
};

}  // namespace vorlent

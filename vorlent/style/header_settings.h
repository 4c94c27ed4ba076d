#pragma once

#include "vorlent/style/header_base_style.h"
#include "vorlent/style/header_style.h"
#include "vorlent/style/theme.h"
#include "vorlent/graphics/mode.h"

namespace vorlent {

namespace detail {
struct RecordedThemeAccess;
}

// What the header's controller is configured with: zooming by dragging in the
// header and the header's three-level style. `defaultStyle` is the complete
// style (normally a theme's), `style` the host's overrides and `actualStyle`
// the overrides laid onto the default, kept up to date by the two setters so
// that reading it never merges.
class GanttChartHeaderSettings {
 public:
  // Dragging horizontally in the header changes the zoom.
  bool allowsZooming = true;
  // The zoom range the drag reaches.
  double minZoom = 0.3125;
  double maxZoom = 6.4;
  // Drag distance, in points, that changes the zoom by 1.
  double zoomingUnitWidth = 40;
  // Drag distance, in points, of the dead zone around zoom 1.
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

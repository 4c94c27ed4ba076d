#pragma once

#include <utility>

#include "vorlent/style/content_settings.h"
#include "vorlent/style/header_settings.h"
#include "vorlent/style/theme.h"
#include "vorlent/graphics/mode.h"

namespace vorlent::detail {

// The theme and mode that produced the settings' default style. Only the
// controllers that apply themes include this: they compare the recorded pair
// with the one they are about to apply, and record the pair after assigning
// the theme's base style (which itself marks the theme `none`).
struct RecordedThemeAccess {
  static const Theme& theme(const GanttChartContentSettings& settings) { return settings.theme_; }
  static void setTheme(GanttChartContentSettings& settings, Theme theme) {
    settings.theme_ = std::move(theme);
  }
  static Mode mode(const GanttChartContentSettings& settings) { return settings.mode_; }
  static void setMode(GanttChartContentSettings& settings, Mode mode) { settings.mode_ = mode; }

  static const Theme& theme(const GanttChartHeaderSettings& settings) { return settings.theme_; }
  static void setTheme(GanttChartHeaderSettings& settings, Theme theme) {
    settings.theme_ = std::move(theme);
  }
  static Mode mode(const GanttChartHeaderSettings& settings) { return settings.mode_; }
  static void setMode(GanttChartHeaderSettings& settings, Mode mode) { settings.mode_ = mode; }
};

}  // namespace vorlent::detail

#include "vorlent/style/header_settings.h"

#include <utility>

namespace vorlent {

void GanttChartHeaderSettings::setDefaultStyle(GanttChartHeaderBaseStyle defaultStyle) {
  defaultStyle_ = std::move(defaultStyle);
  theme_ = Theme::none();
  actualStyle_ = style_.applyingTo(defaultStyle_);
}

void GanttChartHeaderSettings::setStyle(GanttChartHeaderStyle style) {
  style_ = std::move(style);
  actualStyle_ = style_.applyingTo(defaultStyle_);
}

}  // namespace vorlent

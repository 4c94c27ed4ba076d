#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/style/header_base_style.h"

namespace vorlent {

// Host overrides of the header's look: every field absent until set. Absent
// fields leave the complete style's value in force.
struct GanttChartHeaderStyle {
#define VORLENT_HEADER_OVERRIDE_FIELD(type, name, init) std::optional<type> name;
#define VORLENT_HEADER_OVERRIDE_OPTIONAL(type, name, init) type name{};
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_HEADER_OVERRIDE_FIELD, VORLENT_HEADER_OVERRIDE_OPTIONAL)
#undef VORLENT_HEADER_OVERRIDE_FIELD
#undef VORLENT_HEADER_OVERRIDE_OPTIONAL

  // A copy of `base` in which each field this style sets replaces the base's
  // outright; arrays, fonts, the selector and the cell style are not merged
  // member by member. Unset fields leave the base's value alone.
  [[nodiscard]] GanttChartHeaderBaseStyle applyingTo(const GanttChartHeaderBaseStyle& base) const;
};

}  // namespace vorlent

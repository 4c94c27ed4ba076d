#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/style/content_base_style.h"

namespace vorlent {

// Host overrides of the chart area's look. Every field of the complete style
// is here, absent until set, except the per-type dictionaries, which start
// empty and are united with the base's.
struct GanttChartContentStyle {
#define VORLENT_CONTENT_OVERRIDE_FIELD(type, name, init) std::optional<type> name;
#define VORLENT_CONTENT_OVERRIDE_OPTIONAL(type, name, init) type name{};
#define VORLENT_CONTENT_OVERRIDE_PER_TYPE(type, name, init) PerItemType<type> name;
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_CONTENT_OVERRIDE_FIELD, VORLENT_CONTENT_OVERRIDE_OPTIONAL,
                               VORLENT_CONTENT_OVERRIDE_PER_TYPE)
#undef VORLENT_CONTENT_OVERRIDE_FIELD
#undef VORLENT_CONTENT_OVERRIDE_OPTIONAL
#undef VORLENT_CONTENT_OVERRIDE_PER_TYPE

  // `base` with every set field of this style put in place of the base's field,
  // whole (border arrays, fonts, row styles, selectors and the time-area style
  // are not merged inside), and each per-type dictionary united with the
  // base's, this style's entry winning per key. An absent field never clears a
  // base value, and no base dictionary entry can be removed.
  [[nodiscard]] GanttChartContentBaseStyle applyingTo(const GanttChartContentBaseStyle& base) const;
};

}  // namespace vorlent

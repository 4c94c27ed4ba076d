#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/dependency_settings.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_style.h"
#include "vorlent/style/content_style_fields.h"
#include "vorlent/style/per_item_type.h"
#include "vorlent/style/row_style.h"
#include "vorlent/style/theme.h"
#include "vorlent/graphics/border.h"
#include "vorlent/graphics/color.h"
#include "vorlent/graphics/font.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/graphics/text_alignment.h"
#include "vorlent/intervals/time_area_style.h"
#include "vorlent/intervals/time_area_style_selector.h"

namespace vorlent {

// Every value the chart area is drawn with, none of them optional: colours,
// widths, insets, fonts, alignments and their per-item-type variants, plus the
// selectors a host installs to restyle individual rows, items, dependencies
// and time areas.
// Made by default, from a theme preset, or by laying a `GanttChartContentStyle`
// onto another one. Every field is plain data; only the `...For` resolvers
// below compute anything, and they cache nothing.
struct GanttChartContentBaseStyle {
#define VORLENT_CONTENT_BASE_FIELD(type, name, init) type name = init;
#define VORLENT_CONTENT_BASE_PER_TYPE(type, name, init) PerItemType<type> name = init;
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_CONTENT_BASE_FIELD, VORLENT_CONTENT_BASE_FIELD,
                               VORLENT_CONTENT_BASE_PER_TYPE)
#undef VORLENT_CONTENT_BASE_FIELD
#undef VORLENT_CONTENT_BASE_PER_TYPE

  // The plain defaults, which are also the `generic` theme in light mode.
  GanttChartContentBaseStyle() = default;
  // The preset of `theme` in `mode`. `generic`, `none` and custom themes give
  // the plain defaults (with the dark background in dark mode); custom styles
  // come from the controllers' own registries, not from here.
  GanttChartContentBaseStyle(const Theme& theme, Mode mode);

  // Per-element resolution. The item-level style is what `itemStyleSelector`
  // returns for the item, asked once per call, or, when there is no selector
  // or it answers std::nullopt, the item's own `settings().style`; the two are
  // never mixed field by field. After the item-level fields
  // come the per-type entries for the item's type, then this style's values.
  // A null item or dependency is a fatal stop.

  // Item-level, per-type entry, base.
  [[nodiscard]] Color barFillColorFor(const GanttChartItemPtr& item) const;
  // Item-level secondary, item-level primary, per-type secondary, per-type
  // primary, base secondary, base primary, so anything set for the item's
  // type wins over this style's own secondary fill.
  [[nodiscard]] Color secondaryBarFillColorFor(const GanttChartItemPtr& item) const;
  // Nullopt when no source sets a stroke colour.
  [[nodiscard]] std::optional<Color> barStrokeColorFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] double barStrokeWidthFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] Color completionBarFillColorFor(const GanttChartItemPtr& item) const;
  // Item-level secondary, item-level primary, per-type secondary, base
  // secondary, per-type primary, base primary. The order differs from
  // `secondaryBarFillColorFor`: here this style's own secondary fill wins
  // over the per-type primary.
  [[nodiscard]] Color secondaryCompletionBarFillColorFor(const GanttChartItemPtr& item) const;
  // Nullopt when no source sets a stroke colour.
  [[nodiscard]] std::optional<Color> completionBarStrokeColorFor(
      const GanttChartItemPtr& item) const;
  [[nodiscard]] double completionBarStrokeWidthFor(const GanttChartItemPtr& item) const;
  // Focus, highlight and selection have no item-level source: per-type entry,
  // base, and then the whole chain of `barFillColorFor` (which asks the item
  // style selector; only then is it asked).
  [[nodiscard]] Color focusColorFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] double focusWidthFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] Color highlightColorFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] double highlightWidthFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] Color selectionColorFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] double selectionWidthFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] Color labelForegroundColorFor(const GanttChartItemPtr& item) const;
  // Labels and attachments have no per-type font or attachment colour.
  [[nodiscard]] Font labelFontFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] Color attachmentForegroundColorFor(const GanttChartItemPtr& item) const;
  [[nodiscard]] Font attachmentFontFor(const GanttChartItemPtr& item) const;

  // The dependency-level style (from `dependencyStyleSelector`, asked once,
  // else the dependency's own), then the base. Without a colour of its own
  // nor `dependencyLineColor`, a line takes the plain `barFillColor`, never a
  // per-type or per-item bar colour.
  [[nodiscard]] Color dependencyLineColorFor(const GanttChartDependencyPtr& dependency) const;
  [[nodiscard]] double dependencyLineWidthFor(const GanttChartDependencyPtr& dependency) const;

  // The background and borders of row `row` in a chart area of `rowCount`
  // rows. A style that `rowStyleSelector` returns (asked once) gives them
  // alone, with no background or borders where it has std::nullopt;
  // otherwise a plain row takes `rowStyle`, and an alternate row (only when
  // `alternativeRows` is set; see `isAlternateRow`) each field of
  // `alternativeRowStyle`, falling back to `rowStyle` field by field.
  [[nodiscard]] GanttChartRowStyle rowStyleFor(int64_t row, int64_t rowCount,
                                               bool alternativeRowsOnCount) const;
};

}  // namespace vorlent

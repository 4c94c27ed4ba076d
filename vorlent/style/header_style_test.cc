#include "vorlent/style/header_style.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "vorlent/style/header_settings.h"
#include "vorlent/style/recorded_theme_access.h"
#include "vorlent/style/style_testing.h"

namespace vorlent {
namespace {

using testing::differentFrom;
using testing::differingFields;

struct FieldOverride {
  std::string name;
  std::function<void(GanttChartHeaderStyle&, const GanttChartHeaderBaseStyle&)> set;
};

std::vector<FieldOverride> everySingleFieldOverride() {
  std::vector<FieldOverride> cases;
#define VORLENT_FIELD_CASE(type, name, init)                                                 \
  cases.push_back({#name, [](GanttChartHeaderStyle& o, const GanttChartHeaderBaseStyle& b) { \
                     o.name = differentFrom(b.name);                                         \
                   }});
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_FIELD_CASE, VORLENT_FIELD_CASE)
#undef VORLENT_FIELD_CASE
  return cases;
}

GanttChartHeaderBaseStyle everyFieldSet() {
  GanttChartHeaderBaseStyle base;
#define VORLENT_FILL_FIELD(type, name, init) base.name = differentFrom(base.name);
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_FILL_FIELD, VORLENT_FILL_FIELD)
#undef VORLENT_FILL_FIELD
  return base;
}

TEST(HeaderStyleMerge, EmptyOverrideLeavesEveryFieldOfTheBase) {
  const GanttChartHeaderBaseStyle full = everyFieldSet();
  ASSERT_EQ(differingFields(full, GanttChartHeaderBaseStyle()).size(), 19u);
  for (const GanttChartHeaderBaseStyle& base : {GanttChartHeaderBaseStyle(), full}) {
    EXPECT_EQ(differingFields(GanttChartHeaderStyle().applyingTo(base), base),
              std::vector<std::string>{});
  }
}

TEST(HeaderStyleMerge, EachSingleFieldOverrideChangesExactlyThatField) {
  const auto cases = everySingleFieldOverride();
  ASSERT_EQ(cases.size(), 19u);
  for (const GanttChartHeaderBaseStyle& base : {GanttChartHeaderBaseStyle(), everyFieldSet()}) {
    for (const FieldOverride& field : cases) {
      GanttChartHeaderStyle override;
      field.set(override, base);
      EXPECT_EQ(differingFields(override.applyingTo(base), base),
                std::vector<std::string>{field.name});
    }
  }
}

TEST(HeaderStyleMerge, BorderArraysAreReplacedWhole) {
  GanttChartHeaderStyle override;
  const std::vector<Border> bottomOnly = {
      Border{BorderPosition::bottom, std::nullopt, std::nullopt}};
  override.labelBorders = bottomOnly;
  EXPECT_EQ(override.applyingTo(GanttChartHeaderBaseStyle()).labelBorders, bottomOnly);
}

TEST(HeaderStyleDefaults, MatchTheDocumentedValues) {
  const GanttChartHeaderBaseStyle style;
  const std::vector<Border> edges = {Border{BorderPosition::top, std::nullopt, std::nullopt},
                                     Border{BorderPosition::bottom, std::nullopt, std::nullopt}};
  EXPECT_EQ(style.borders, edges);
  EXPECT_EQ(style.labelBorders.size(), 4u);
  EXPECT_EQ(style.labelBorders[0].position, BorderPosition::left);
  EXPECT_EQ(style.labelBorders[3].position, BorderPosition::bottom);
  EXPECT_EQ(style.labelBorderLineWidth, 0.25);
  EXPECT_EQ(style.labelForegroundColor, Color::gray());
  EXPECT_EQ(style.verticalLabelAlignment, VerticalTextAlignment::center);
  EXPECT_FALSE(style.isLabelBackgroundExtending);
  EXPECT_EQ(style.cellStyleSelector, nullptr);

  const GanttChartHeaderSettings settings;
  EXPECT_TRUE(settings.allowsZooming);
  EXPECT_EQ(settings.minZoom, 0.3125);
  EXPECT_EQ(settings.maxZoom, 6.4);
  EXPECT_EQ(settings.zoomingUnitWidth, 40);
  EXPECT_EQ(settings.zoomingThresholdWidth, 8);
  EXPECT_TRUE(settings.usesCache);
}

TEST(HeaderStyleLevels, StayConsistentAndDefaultStyleMarksTheThemeNone) {
  using Access = detail::RecordedThemeAccess;
  GanttChartHeaderSettings settings;
  EXPECT_EQ(Access::theme(settings), Theme::generic());
  Access::setTheme(settings, Theme::aqua());
  Access::setMode(settings, Mode::dark);

  GanttChartHeaderStyle override;
  override.labelForegroundColor = Color::redColor();
  settings.setStyle(override);
  EXPECT_EQ(Access::theme(settings), Theme::aqua());
  EXPECT_EQ(settings.actualStyle().labelForegroundColor, Color::redColor());

  const GanttChartHeaderBaseStyle preset(Theme::aqua(), Mode::dark);
  settings.setDefaultStyle(preset);
  EXPECT_EQ(Access::theme(settings), Theme::none());
  EXPECT_EQ(Access::mode(settings), Mode::dark);
  EXPECT_EQ(differingFields(settings.actualStyle(), override.applyingTo(preset)),
            std::vector<std::string>{});
  EXPECT_EQ(settings.actualStyle().backgroundColor, Color("#38383a"));
}

}  // namespace
}  // namespace vorlent

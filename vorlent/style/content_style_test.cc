#include "vorlent/style/content_style.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "vorlent/style/style_testing.h"

namespace vorlent {
namespace {

using testing::differentFrom;
using testing::differingFields;
using testing::sampleColor;

// One case per field: sets that field alone in an override, to a value that
// differs from the base's.
struct FieldOverride {
  std::string name;
  std::function<void(GanttChartContentStyle&, const GanttChartContentBaseStyle&)> set;
};

std::vector<FieldOverride> everySingleFieldOverride() {
  std::vector<FieldOverride> cases;
#define VORLENT_FIELD_CASE(type, name, init)                                                   \
  cases.push_back({#name, [](GanttChartContentStyle& o, const GanttChartContentBaseStyle& b) { \
                     o.name = differentFrom(b.name);                                           \
                   }});
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_FIELD_CASE, VORLENT_FIELD_CASE, VORLENT_FIELD_CASE)
#undef VORLENT_FIELD_CASE
  return cases;
}

// A base in which every field, optional ones included, holds a value other
// than its default.
GanttChartContentBaseStyle everyFieldSet() {
  GanttChartContentBaseStyle base;
#define VORLENT_FILL_FIELD(type, name, init) base.name = differentFrom(base.name);
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_FILL_FIELD, VORLENT_FILL_FIELD, VORLENT_FILL_FIELD)
#undef VORLENT_FILL_FIELD
  return base;
}

TEST(ContentBaseStyleDefaults, MatchTheDocumentedValues) {
  const GanttChartContentBaseStyle s;
  const Color gray(0.5, 0.5, 0.5, 1);
  EXPECT_EQ(s.backgroundColor, std::nullopt);
  EXPECT_TRUE(s.borders.empty());
  EXPECT_EQ(s.barFillColor, Color(1.0 / 3, 2.0 / 3, 1, 0.875));
  const PerItemType<Color> fills = {{GanttChartItemType::milestone, Color(0, 0, 1, 1)},
                                    {GanttChartItemType::summary, Color(0, 0, 0, 1)}};
  EXPECT_EQ(s.barFillColorForType, fills);
  EXPECT_EQ(s.completionBarFillColor, Color(0, 0, 1, 1));
  const PerItemType<Color> completions = {{GanttChartItemType::summary, gray}};
  EXPECT_EQ(s.completionBarFillColorForType, completions);
  EXPECT_TRUE(s.secondaryBarFillColorForType.empty());
  EXPECT_EQ(s.labelForegroundColor, Color(1, 1, 1, 1));
  EXPECT_EQ(s.labelFont, Font::system());
  EXPECT_EQ(s.labelAlignment, TextAlignment::left);
  EXPECT_EQ(s.verticalTimeLabelAlignment, VerticalTextAlignment::top);
  for (const Color& c :
       {s.borderColor, s.rowBorderColor, s.attachmentForegroundColor, *s.dependencyLineThumbColor,
        *s.temporaryInvalidDependencyLineColor, s.timeAreaBorderColor, s.timeAreaForegroundColor}) {
    EXPECT_EQ(c, gray);
  }
  const std::vector<double> widths = {s.borderLineWidth,
                                      s.rowBorderLineWidth,
                                      s.barStrokeWidth,
                                      s.completionBarStrokeWidth,
                                      s.cornerRadius,
                                      s.verticalBarInset,
                                      s.horizontalCompletionBarInset,
                                      s.verticalCompletionBarInset,
                                      s.focusWidth,
                                      s.highlightWidth,
                                      s.selectionWidth,
                                      s.horizontalLabelInset,
                                      s.milestoneHorizontalLabelInset,
                                      s.verticalLabelInset,
                                      s.horizontalAttachmentInset,
                                      s.verticalAttachmentInset,
                                      s.barThumbDistance,
                                      s.summaryTriangleInset,
                                      s.summaryTriangleScale,
                                      s.temporaryBarDashWidth,
                                      s.dependencyLineWidth,
                                      s.dependencyLineFocusWidth,
                                      s.dependencyLineHighlightWidth,
                                      s.dependencyLineSelectionWidth,
                                      s.dependencyLineThumbRadius,
                                      s.dependencyLineArrowWidth,
                                      s.dependencyLineArrowLength,
                                      s.dependencyLineEndLength,
                                      s.temporaryDependencyLineDashWidth,
                                      s.timeAreaBorderLineWidth,
                                      s.horizontalTimeLabelInset,
                                      s.verticalTimeLabelInset};
  EXPECT_EQ(widths, (std::vector<double>{0.5, 0.25, 0.5, 0.5, 2, 3,   1, 1,     1,   0.8, 3,
                                         2.5, 5,    2,   2.5, 2, 0.5, 2, 1,     2,   0.8, 0.5,
                                         0.2, 0.8,  4,   3,   4, 8,   2, 0.125, 2.5, 1}));
  EXPECT_EQ(s.completionCornerRadius, std::nullopt);
  EXPECT_EQ(s.dependencyLineColor, std::nullopt);
  EXPECT_TRUE(s.isTimeAreaBackgroundExtending);
  EXPECT_TRUE(s.areTimeAreaBordersExtending);
  const std::vector<Border> edges = {Border{BorderPosition::left, std::nullopt, std::nullopt},
                                     Border{BorderPosition::right, std::nullopt, std::nullopt}};
  EXPECT_EQ(s.timeAreaBorders, edges);
  EXPECT_EQ(s.rowStyle.backgroundColor, std::nullopt);
  EXPECT_EQ(s.rowStyle.borders, std::nullopt);
  EXPECT_EQ(s.alternativeRowStyle.backgroundColor, Color(0.5, 0.5, 0.5, 0.05));
  EXPECT_EQ(s.alternativeRowStyle.borders, std::nullopt);
  EXPECT_TRUE(s.alternativeRows);
  EXPECT_EQ(s.highlightingTimeFillColor, Color(0.75, 0.75, 0.75, 0.125));
  EXPECT_EQ(s.highlightingTimeoutFillColor, Color(0.75, 0.75, 0.75, 0.125));
  EXPECT_EQ(s.itemStyleSelector, nullptr);
  EXPECT_FALSE(s.timeAreaStyle.has_value());
}

TEST(ContentStyleMerge, EmptyOverrideLeavesEveryFieldOfTheBase) {
  const GanttChartContentBaseStyle defaults;
  EXPECT_EQ(differingFields(GanttChartContentStyle().applyingTo(defaults), defaults),
            std::vector<std::string>{});
  const GanttChartContentBaseStyle full = everyFieldSet();
  ASSERT_EQ(differingFields(full, defaults).size(), 89u);
  EXPECT_EQ(differingFields(GanttChartContentStyle().applyingTo(full), full),
            std::vector<std::string>{});
}

TEST(ContentStyleMerge, EachSingleFieldOverrideChangesExactlyThatField) {
  const auto cases = everySingleFieldOverride();
  ASSERT_EQ(cases.size(), 89u);
  for (const GanttChartContentBaseStyle& base : {GanttChartContentBaseStyle(), everyFieldSet()}) {
    for (const FieldOverride& field : cases) {
      GanttChartContentStyle override;
      field.set(override, base);
      EXPECT_EQ(differingFields(override.applyingTo(base), base),
                std::vector<std::string>{field.name});
    }
  }
}

TEST(ContentStyleMerge, OverrideCannotClearAValueThatIsOptionalInTheBase) {
  GanttChartContentBaseStyle base;
  base.backgroundColor = sampleColor();
  base.completionCornerRadius = 3;
  base.itemStyleSelector = std::make_shared<GanttChartItemStyleSource>(nullptr);
  base.timeAreaStyle = TimeAreaStyle(sampleColor(), std::nullopt, std::nullopt);
  GanttChartContentStyle override;
  override.backgroundColor = std::nullopt;
  override.itemStyleSelector = nullptr;
  const GanttChartContentBaseStyle merged = override.applyingTo(base);
  EXPECT_EQ(merged.backgroundColor, sampleColor());
  EXPECT_EQ(merged.completionCornerRadius, 3);
  EXPECT_EQ(merged.itemStyleSelector, base.itemStyleSelector);
  ASSERT_TRUE(merged.timeAreaStyle.has_value());
  EXPECT_EQ(merged.timeAreaStyle->backgroundColor, sampleColor());
}

TEST(ContentStyleMerge, PerTypeDictionariesAreUnitedWithTheOverrideWinningPerKey) {
  const Color custom = sampleColor();
  GanttChartContentStyle override;
  override.barFillColor = Color::redColor();
  override.barFillColorForType = {{GanttChartItemType::standard, custom}};
  const GanttChartContentBaseStyle merged = override.applyingTo(GanttChartContentBaseStyle());
  EXPECT_EQ(merged.barFillColor, Color::redColor());
  const PerItemType<Color> expected = {{GanttChartItemType::standard, custom},
                                       {GanttChartItemType::milestone, Color::blueColor()},
                                       {GanttChartItemType::summary, Color::black()}};
  EXPECT_EQ(merged.barFillColorForType, expected);

  GanttChartContentStyle milestoneOnly;
  milestoneOnly.barFillColorForType = {{GanttChartItemType::milestone, custom}};
  const PerItemType<Color> replaced = {{GanttChartItemType::milestone, custom},
                                       {GanttChartItemType::summary, Color::black()}};
  EXPECT_EQ(milestoneOnly.applyingTo(GanttChartContentBaseStyle()).barFillColorForType, replaced);
}

TEST(ContentStyleMerge, CompoundValuesAreReplacedWholeNeverMergedInside) {
  GanttChartContentBaseStyle base;
  base.rowStyle = GanttChartRowStyle(Color::yellow());
  base.timeAreaStyle = TimeAreaStyle(Color::yellow(), std::nullopt, Color::redColor());
  GanttChartContentStyle override;
  GanttChartRowStyle bordersOnly(std::nullopt);
  bordersOnly.borders = std::vector<Border>{Border{BorderPosition::bottom, std::nullopt, 1}};
  override.rowStyle = bordersOnly;
  override.timeAreaStyle = TimeAreaStyle(std::nullopt, std::nullopt, Color::white());
  override.timeAreaBorders = std::vector<Border>{};
  override.labelFont = Font{std::nullopt, 12};

  const GanttChartContentBaseStyle merged = override.applyingTo(base);
  EXPECT_EQ(merged.rowStyle.backgroundColor, std::nullopt);
  EXPECT_EQ(merged.rowStyle.borders, bordersOnly.borders);
  ASSERT_TRUE(merged.timeAreaStyle.has_value());
  EXPECT_EQ(merged.timeAreaStyle->backgroundColor, std::nullopt);
  EXPECT_EQ(merged.timeAreaStyle->foregroundColor, Color::white());
  EXPECT_TRUE(merged.timeAreaBorders.empty());
  EXPECT_EQ(merged.labelFont, (Font{std::nullopt, 12}));
}

}  // namespace
}  // namespace vorlent

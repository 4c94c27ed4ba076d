#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "vorlent/style/content_base_style.h"
#include "vorlent/style/header_base_style.h"
#include "vorlent/style/preset_selectors.h"
#include "vorlent/style/style_testing.h"
#include "vorlent/style/theme_constants.h"

namespace vorlent {
namespace {

using testing::differingFields;

std::set<std::string> changedFields(const GanttChartContentBaseStyle& style) {
  const auto names = differingFields(style, GanttChartContentBaseStyle());
  return {names.begin(), names.end()};
}

std::set<std::string> changedFields(const GanttChartHeaderBaseStyle& style) {
  const auto names = differingFields(style, GanttChartHeaderBaseStyle());
  return {names.begin(), names.end()};
}

const std::vector<Mode> kModes = {Mode::light, Mode::dark};

TEST(PlainPresets, GenericNoneAndCustomThemesAreTheDefaultsWithTheDarkBackground) {
  for (const Theme& theme : {Theme::generic(), Theme::none(), Theme::named("Brand")}) {
    for (const Mode mode : kModes) {
      SCOPED_TRACE(::testing::Message() << theme << " " << mode);
      const GanttChartContentBaseStyle content(theme, mode);
      const GanttChartHeaderBaseStyle header(theme, mode);
      if (mode == Mode::light) {
        EXPECT_EQ(changedFields(content), std::set<std::string>{});
        EXPECT_EQ(changedFields(header), std::set<std::string>{});
      } else {
        EXPECT_EQ(changedFields(content), std::set<std::string>{"backgroundColor"});
        EXPECT_EQ(content.backgroundColor, Color::dark());
        EXPECT_EQ(changedFields(header), std::set<std::string>{"backgroundColor"});
        EXPECT_EQ(header.backgroundColor, Color::dark());
      }
    }
  }
}

TEST(PlainPresets, DarkBackgroundIsTheNamedDarkColourOnThisPlatform) {
  EXPECT_FALSE(kPlatformPaintsDarkWindowBackground);
  EXPECT_EQ(darkBackgroundColor(), Color(0.125, 0.125, 0.125, 1));
  EXPECT_EQ(darkHighlightingTimeFillColor(), Color("#8038383a"));
  EXPECT_EQ(darkHeaderBackgroundColor(), Color("#38383a"));
  EXPECT_GT(unboundedDiagramExtent(), 1e308);
}

// The colours the chart-area preset of one built-in theme and mode sets.
struct ContentPresetCase {
  Theme theme;
  Mode mode;
  const char* borderColor;
  const char* barFillColor;
  const char* completionBarFillColor;
  const char* milestoneFillColor;
  const char* highlightColor;
  const char* selectionColor;
  const char* dependencyLineColor;  // null: unset
  const char* summaryFillColor;
  const char* summaryCompletionFillColor;
  const char* attachmentColor;
  std::optional<Color> highlightingFillColor;
  const char* alternativeRowBackground;
  const char* weekendColor;  // null: none
};

std::optional<Color> colorOrNone(const char* text) {
  return text != nullptr ? std::optional<Color>(Color(text)) : std::nullopt;
}

std::vector<ContentPresetCase> contentPresetCases() {
  const Color darkFill("#8038383a");
  const Color lightFill("#80efefef");
  return {
      {Theme::standard(), Mode::light, "#b2b2b2", "#e0328cc0", "#a00b3c5d", "#e0f2c232", "#f2c232",
       "#76d6ff", nullptr, "#e0586072", "#a0464c5a", "#264c5c", lightFill, "#40dfdfdf", nullptr},
      {Theme::standard(), Mode::dark, "#b2b2b2", "#e0328cc0", "#a00b3c5d", "#e0f2c232", "#f2c232",
       "#76d6ff", nullptr, "#e0404854", "#a05d667c", "#c0c0c0", darkFill, "#10808080", nullptr},
      {Theme::aqua(), Mode::light, "#b2b2b2", "#e00392e3", "#e0007849", "#e0ff9900", "#ff9900",
       "#76d6ff", nullptr, "#e0596175", "#e0414755", "#264c5c", lightFill, "#40dfdfdf", nullptr},
      {Theme::aqua(), Mode::dark, "#b2b2b2", "#e00392e3", "#e0007849", "#e0ff9900", "#ff9900",
       "#76d6ff", nullptr, "#e0414755", "#e05d667c", "#c0c0c0", darkFill, "#10808080", nullptr},
      {Theme::jewel(), Mode::light, "#c79a6f", "#e0741b47", "#e038761d", "#e0f6b26b", "#f6b26b",
       "#a9a9a9", "#e038761d", "#e0586072", "#e0464c5a", "#264c5c", lightFill, "#40dfdfdf",
       "#4391a4"},
      {Theme::jewel(), Mode::dark, "#c79a6f", "#e0741b47", "#e038761d", "#e0f6b26b", "#f6b26b",
       "#a9a9a9", "#e038761d", "#e0404854", "#e05d667c", "#c0c0c0", darkFill, "#10808080",
       "#4391a4"},
  };
}

TEST(BuiltInContentPresets, SetTheirThemesColoursAndNothingElse) {
  for (const ContentPresetCase& entry : contentPresetCases()) {
    SCOPED_TRACE(::testing::Message() << entry.theme << " " << entry.mode);
    const GanttChartContentBaseStyle style(entry.theme, entry.mode);
    std::set<std::string> expectedChanges = {"borderColor",
                                             "barFillColor",
                                             "barFillColorForType",
                                             "barStrokeColorForType",
                                             "completionBarFillColor",
                                             "completionBarFillColorForType",
                                             "cornerRadius",
                                             "highlightColor",
                                             "selectionColor",
                                             "attachmentForegroundColor",
                                             "summaryTriangleInset",
                                             "summaryTriangleScale",
                                             "timeAreaBorderColor",
                                             "alternativeRowStyle",
                                             "highlightingTimeFillColor",
                                             "highlightingTimeoutFillColor",
                                             "timeAreaStyleSelector"};
    if (entry.mode == Mode::dark) expectedChanges.insert("backgroundColor");
    if (entry.dependencyLineColor != nullptr) expectedChanges.insert("dependencyLineColor");
    EXPECT_EQ(changedFields(style), expectedChanges);

    EXPECT_EQ(style.backgroundColor,
              entry.mode == Mode::dark ? std::optional<Color>(Color::dark()) : std::nullopt);
    EXPECT_EQ(style.borderColor, Color(entry.borderColor));
    EXPECT_EQ(style.timeAreaBorderColor, style.borderColor);
    EXPECT_EQ(style.barFillColor, Color(entry.barFillColor));
    EXPECT_EQ(style.completionBarFillColor, Color(entry.completionBarFillColor));
    const PerItemType<Color> fills = {
        {GanttChartItemType::milestone, Color(entry.milestoneFillColor)},
        {GanttChartItemType::summary, Color(entry.summaryFillColor)}};
    EXPECT_EQ(style.barFillColorForType, fills);
    const PerItemType<Color> strokes = {{GanttChartItemType::milestone, Color("#38761c")}};
    EXPECT_EQ(style.barStrokeColorForType, strokes);
    const PerItemType<Color> completions = {
        {GanttChartItemType::summary, Color(entry.summaryCompletionFillColor)}};
    EXPECT_EQ(style.completionBarFillColorForType, completions);
    EXPECT_EQ(style.highlightColor, Color(entry.highlightColor));
    EXPECT_EQ(style.selectionColor, Color(entry.selectionColor));
    EXPECT_EQ(style.dependencyLineColor, colorOrNone(entry.dependencyLineColor));
    EXPECT_EQ(style.attachmentForegroundColor, Color(entry.attachmentColor));
    EXPECT_EQ(style.highlightingTimeFillColor, entry.highlightingFillColor);
    EXPECT_EQ(style.highlightingTimeoutFillColor, entry.highlightingFillColor);
    EXPECT_EQ(style.alternativeRowStyle.backgroundColor, Color(entry.alternativeRowBackground));
    EXPECT_EQ(style.alternativeRowStyle.borders, std::nullopt);
    EXPECT_EQ(style.cornerRadius, 4);
    EXPECT_EQ(style.summaryTriangleInset, 4);
    EXPECT_EQ(style.summaryTriangleScale, 2);
    EXPECT_EQ(style.labelForegroundColor, Color::white());

    const auto selector = std::dynamic_pointer_cast<const detail::SpecificTimeAreaStyleSelector>(
        style.timeAreaStyleSelector);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->momentColor(), Color::orange());
    EXPECT_EQ(selector->weekendColor(), colorOrNone(entry.weekendColor));
  }
}

TEST(BuiltInContentPresets, JewelDrawsDependencyLinesInItsCompletionColour) {
  const GanttChartContentBaseStyle style(Theme::jewel(), Mode::dark);
  EXPECT_EQ(style.dependencyLineColor, style.completionBarFillColor);
  EXPECT_EQ(style.barFillColorForType.at(GanttChartItemType::summary), Color("#e0404854"));
}

TEST(BuiltInContentPresets, HexTextsReadAlphaFirst) {
  const GanttChartContentBaseStyle style(Theme::standard(), Mode::light);
  EXPECT_EQ(style.barFillColor, Color(50.0 / 255, 140.0 / 255, 192.0 / 255, 224.0 / 255));
}

struct HeaderPresetCase {
  Theme theme;
  Mode mode;
  const char* background;
  const char* borderColor;
  const char* labelColor;
  const char* weekendForeground;
  const char* weekendBorder;  // null: none
};

TEST(BuiltInHeaderPresets, SetTheirThemesColoursAndNothingElse) {
  const std::vector<HeaderPresetCase> cases = {
      {Theme::standard(), Mode::light, "#e8e8e8", "#b2b2b2", "#264a5a", "#e40000", nullptr},
      {Theme::standard(), Mode::dark, "#38383a", "#cccccc", "#f6f6f6", "#9a9a9a", nullptr},
      {Theme::aqua(), Mode::light, "#e8e8e8", "#b2b2b2", "#264a5a", "#e40000", nullptr},
      {Theme::aqua(), Mode::dark, "#38383a", "#cccccc", "#f6f6f6", "#9a9a9a", nullptr},
      {Theme::jewel(), Mode::light, "#e8e8e8", "#c79a6f", "#264a5a", "#e40000", "#4391a4"},
      {Theme::jewel(), Mode::dark, "#38383a", "#c79a6f", "#f6f6f6", "#9a9a9a", "#4391a4"},
  };
  for (const HeaderPresetCase& entry : cases) {
    SCOPED_TRACE(::testing::Message() << entry.theme << " " << entry.mode);
    const GanttChartHeaderBaseStyle style(entry.theme, entry.mode);
    EXPECT_EQ(changedFields(style),
              (std::set<std::string>{"backgroundColor", "borderColor", "labelBorderColor",
                                     "labelForegroundColor", "horizontalLabelInset",
                                     "cellStyleSelector"}));
    EXPECT_EQ(style.backgroundColor, Color(entry.background));
    EXPECT_EQ(style.borderColor, Color(entry.borderColor));
    EXPECT_EQ(style.labelBorderColor, Color(entry.borderColor));
    EXPECT_EQ(style.labelForegroundColor, Color(entry.labelColor));
    EXPECT_EQ(style.horizontalLabelInset, 4);
    const auto selector = std::dynamic_pointer_cast<const detail::SpecificHeaderCellStyleSelector>(
        style.cellStyleSelector);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->weekendForegroundColor(), Color(entry.weekendForeground));
    EXPECT_EQ(selector->weekendBorderColor(), colorOrNone(entry.weekendBorder));
  }
}

// Days of week 1 on the grid; `hours` may be 24 for the 24:00 form.
Time on(int64_t day, double hours = 0) { return Time(1, day, hours * secondsPerHour); }

const TimeSelector& anySelector() {
  static const TimeSelector selector(std::make_shared<TimeIntervalSource>(nullptr));
  return selector;
}

std::optional<TimeAreaStyle> timeAreaStyle(const Theme& theme, const TimeRange& interval) {
  const GanttChartContentBaseStyle style(theme, Mode::light);
  return style.timeAreaStyleSelector->style(interval, anySelector());
}

struct EdgeCase {
  std::string name;
  TimeRange interval;
  bool leftColored;
  bool rightColored;
};

TEST(WeekendEdges, ColourTheEdgesThatTouchAWeekendReadingDayBoundariesAsTheEarlierDay) {
  const std::vector<EdgeCase> cases = {
      {"Monday", {on(kMonday), on(kTuesday)}, true, false},
      {"Tuesday", {on(kTuesday), on(kWednesday)}, false, false},
      {"Thursday ending at Friday 0:00", {on(kThursday), on(kFriday)}, false, false},
      {"Friday ending at Saturday 0:00", {on(kFriday), on(kSaturday)}, false, true},
      {"Friday ending at 24:00", {on(kFriday), on(kFriday, 24)}, false, true},
      {"Sunday ending at Monday 0:00", {on(kSunday), on(kMonday)}, true, true},
      {"Saturday starting at Friday 24:00", {on(kFriday, 24), on(kSaturday, 24)}, true, true},
      {"Wednesday to Thursday noon", {on(kWednesday), on(kThursday, 12)}, false, false},
  };
  const Color weekend("#4391a4");
  for (const EdgeCase& entry : cases) {
    SCOPED_TRACE(entry.name);
    const auto style = timeAreaStyle(Theme::jewel(), entry.interval);
    ASSERT_TRUE(style.has_value());
    const std::vector<Border> expected = {
        Border{BorderPosition::left, entry.leftColored ? std::optional(weekend) : std::nullopt,
               0.25},
        Border{BorderPosition::right, entry.rightColored ? std::optional(weekend) : std::nullopt,
               0.25},
        Border{BorderPosition::top, std::nullopt, std::nullopt},
        Border{BorderPosition::bottom, std::nullopt, std::nullopt}};
    EXPECT_EQ(style->borders, expected);
    EXPECT_EQ(style->backgroundColor, std::nullopt);
    EXPECT_EQ(style->foregroundColor, std::nullopt);
    EXPECT_EQ(style->labelFont, std::nullopt);

    // Without a weekend colour there are no borders at all.
    const auto plain = timeAreaStyle(Theme::standard(), entry.interval);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->borders, std::nullopt);
  }
}

TEST(WeekendEdges, AMomentGetsASingleLeftBorderUnderEveryBuiltInTheme) {
  const std::vector<Border> marker = {Border{BorderPosition::left, Color::orange(), 0.25}};
  for (const Theme& theme : {Theme::standard(), Theme::aqua(), Theme::jewel()}) {
    for (const TimeRange& moment : {TimeRange(on(kWednesday, 12), on(kWednesday, 12)),
                                    TimeRange(on(kSunday, 24), on(kMonday))}) {
      const auto style = timeAreaStyle(theme, moment);
      ASSERT_TRUE(style.has_value());
      EXPECT_EQ(style->borders, marker) << theme << " " << moment;
    }
  }
}

std::optional<TimeAreaStyle> headerCellStyle(const Theme& theme, const TimeRange& interval) {
  const GanttChartHeaderBaseStyle style(theme, Mode::light);
  const GanttChartHeaderRow row(std::vector<TimeSelector>{});
  return style.cellStyleSelector->style(interval, anySelector(), row);
}

struct CellCase {
  std::string name;
  TimeRange interval;
  bool isWeekendCell;
};

TEST(WeekendCells, AreSingleWeekendDaysWhateverFormTheirEndsTake) {
  const std::vector<CellCase> cases = {
      {"Saturday to 24:00", {on(kSaturday), on(kSaturday, 24)}, true},
      {"Saturday to Sunday 0:00 of the next week", {on(kSaturday), Time(2, kSunday, 0)}, true},
      {"Sunday to Monday 0:00", {on(kSunday), on(kMonday)}, true},
      {"Sunday starting at Saturday 24:00", {Time(0, kSaturday, secondsPerDay), on(kMonday)}, true},
      {"Saturday and Sunday", {on(kSaturday), Time(2, kMonday, 0)}, false},
      {"Friday to Saturday 0:00", {on(kFriday), on(kSaturday)}, false},
      {"Saturday noon to Sunday noon", {on(kSaturday, 12), Time(2, kSunday, 12 * 3600)}, true},
  };
  for (const CellCase& entry : cases) {
    SCOPED_TRACE(entry.name);
    const auto style = headerCellStyle(Theme::aqua(), entry.interval);
    ASSERT_TRUE(style.has_value());
    EXPECT_EQ(style->foregroundColor,
              entry.isWeekendCell ? std::optional(Color("#e40000")) : std::nullopt);
    EXPECT_EQ(style->borders, std::nullopt);
  }
}

TEST(WeekendCells, JewelBordersHaveNoWidthOfTheirOwn) {
  const auto style = headerCellStyle(Theme::jewel(), {on(kMonday), on(kTuesday)});
  ASSERT_TRUE(style.has_value());
  const Color weekend("#4391a4");
  const std::vector<Border> expected = {Border{BorderPosition::left, weekend, std::nullopt},
                                        Border{BorderPosition::right, std::nullopt, std::nullopt},
                                        Border{BorderPosition::top, std::nullopt, std::nullopt},
                                        Border{BorderPosition::bottom, std::nullopt, std::nullopt}};
  EXPECT_EQ(style->borders, expected);
  EXPECT_EQ(style->foregroundColor, std::nullopt);
}

}  // namespace
}  // namespace vorlent

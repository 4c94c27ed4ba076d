#include "vorlent/intervals/header_row.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vorlent/intervals/header_cell.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

using T = TimeIntervalType;

Time date(int64_t year, int64_t month, int64_t day, int64_t hour = 0) {
  return Time::fromYearMonthDay(year, month, day, hour, 0, 0);
}

// The labels the row's selectors give their intervals over the range.
std::vector<std::string> labels(const GanttChartHeaderRow& row, const TimeRange& range) {
  std::vector<std::string> result;
  for (const TimeSelector& selector : row.selectors) {
    for (const TimeRange& interval : selector.intervalSelector->times(range)) {
      result.push_back(selector.labelGenerator
                           ? selector.labelGenerator->label(interval).value_or("<none>")
                           : "<unlabelled>");
    }
  }
  return result;
}

void expectNoStyleNorContext(const GanttChartHeaderRow& row) {
  EXPECT_EQ(row.styleSelector, nullptr);
  EXPECT_FALSE(row.cellStyle.has_value());
  EXPECT_FALSE(row.context.has_value());
}

const TimeRange kMarch5To7(date(2024, 3, 5, 12), date(2024, 3, 7));
const Locale kEnglish("en_US");

TEST(GanttChartHeaderRow, EveryConstructorMakesOneSelectorAndLeavesStylesEmpty) {
  const std::vector<GanttChartHeaderRow> rows = {
      GanttChartHeaderRow(TimeSelector(T::days())),
      GanttChartHeaderRow(T::days(), TimeLabelFormat::day(), kEnglish),
      GanttChartHeaderRow(T::days(), kEnglish),
      GanttChartHeaderRow(T::days(), std::string("d"), kEnglish),
      GanttChartHeaderRow(T::days(), DateFormatterStyle::shortStyle, std::nullopt, kEnglish),
      GanttChartHeaderRow(T::days(),
                          std::make_shared<DateFormatter>(TimeSelector::formatter("d", kEnglish))),
      GanttChartHeaderRow(T::days(), std::shared_ptr<const TimeLabelGenerator>()),
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.selectors.size(), 1u);
    expectNoStyleNorContext(row);
  }
  const GanttChartHeaderRow empty{std::vector<TimeSelector>{}};
  EXPECT_TRUE(empty.selectors.empty());
  expectNoStyleNorContext(empty);
}

TEST(GanttChartHeaderRow, SelectorsAreEvaluatedInOrder) {
  const GanttChartHeaderRow row(std::vector<TimeSelector>{
      TimeSelector(T::days(), TimeLabelFormat::day(), kEnglish),
      TimeSelector(T::visibleTimeline(), TimeLabelFormat::none(), kEnglish)});
  EXPECT_EQ(labels(row, kMarch5To7), (std::vector<std::string>{"5", "6", ""}));
}

struct DefaultCase {
  T type;
  std::vector<std::string> expected;
};

TEST(GanttChartHeaderRow, WithoutAFormatEachTypeShowsItsDefault) {
  // Off every boundary down to the millisecond.
  const Time t = Time::fromYearMonthDay(2024, 3, 5, 14, 7, 9).addingDuration(0.1234);
  const TimeRange instant(t, t);
  const DefaultCase cases[] = {
      {T::days(), {"05"}},
      {T::weeks(), {"3/3/24"}},
      {T::months(std::nullopt, std::nullopt), {"March 2024"}},
      {T::quarters(), {"Q1 2024"}},
      {T::years(), {"2024"}},
      {T::decades(), {"2021"}},
      {T::centuries(), {"2001"}},
      {T::millenia(), {"2001"}},
      {T::halfdays(), {"PM"}},
      {T::hours(), {"14"}},
      {T::minutes(), {"07"}},
      {T::seconds(), {"09"}},
      {T::deciseconds(), {"1"}},
      {T::centiseconds(), {"12"}},
      {T::milliseconds(), {"123"}},
      {T::visibleTimeline(T::hours()), {"14"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(labels(GanttChartHeaderRow(c.type, kEnglish), instant), c.expected) << c.type;
  }
}

TEST(GanttChartHeaderRow, GivenMomentsShowDateAndTimeOnlyWhenSeparating) {
  const Time moment = date(2024, 3, 6, 9);
  const auto separating = labels(GanttChartHeaderRow(T::time(moment, true), kEnglish), kMarch5To7);
  ASSERT_EQ(separating.size(), 2u);
  EXPECT_NE(separating[1].find("3/6/24"), std::string::npos) << separating[1];
  EXPECT_EQ(labels(GanttChartHeaderRow(T::time(moment, false), kEnglish), kMarch5To7),
            (std::vector<std::string>{""}));
}

TEST(GanttChartHeaderRow, IntervalLabelsJoinStartAndFinish) {
  const GanttChartHeaderRow row(T::days(), TimeLabelFormat::day(), kEnglish, true, " to ");
  EXPECT_EQ(labels(row, kMarch5To7), (std::vector<std::string>{"5 to 5", "6 to 6"}));
  const GanttChartHeaderRow weeks(T::weeks(std::nullopt, kMonday), std::string("d MMM"),
                                  Locale("de_DE"), true);
  EXPECT_EQ(labels(weeks, kMarch5To7), (std::vector<std::string>{"4 März-10 März"}));
}

TEST(GanttChartHeaderCellStyleSource, PassesTheFunctionsAnswerThrough) {
  const GanttChartHeaderRow row(T::days(), kEnglish);
  const TimeRange interval(date(2024, 3, 5), date(2024, 3, 6));
  const GanttChartHeaderCellStyleSource none(
      [](const TimeRange&, const TimeSelector&, const GanttChartHeaderRow&) {
        return std::nullopt;
      });
  EXPECT_FALSE(none.style(interval, row.selectors[0], row).has_value());

  const GanttChartHeaderCellStyleSource weekends(
      [](const TimeRange& i, const TimeSelector&, const GanttChartHeaderRow& r) {
        return i.start.dayOfWeek == kTuesday && r.selectors.size() == 1
                   ? std::optional<TimeAreaStyle>(
                         TimeAreaStyle(Color::gray(), std::nullopt, std::nullopt))
                   : std::nullopt;
      });
  const auto style = weekends.style(interval, row.selectors[0], row);
  ASSERT_TRUE(style.has_value());
  EXPECT_EQ(style->backgroundColor, Color::gray());
}

TEST(GanttChartHeaderCell, HoldsItsRowAndArea) {
  GanttChartHeaderRow row(T::days(), kEnglish);
  row.context = std::string("band");
  const TimeRange interval(date(2024, 3, 5), date(2024, 3, 6));
  const GanttChartHeaderCell cell(
      row, TimeArea(row.selectors[0], interval, row.selectors[0].labelGenerator->label(interval),
                    std::nullopt, Rectangle(0, 0, 24, 18)));
  EXPECT_EQ(std::any_cast<std::string>(cell.row.context), "band");
  EXPECT_EQ(cell.area.label, "05");
  EXPECT_EQ(cell.area.interval, interval);
}

}  // namespace
}  // namespace vorlent

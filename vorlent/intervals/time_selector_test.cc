#include "vorlent/intervals/time_selector.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vorlent/base/clock.h"
#include "vorlent/intervals/calendar_period_selector.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/intervals/time_area.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

using T = TimeIntervalType;

Time date(int64_t year, int64_t month, int64_t day, int64_t hour = 0, int64_t minute = 0) {
  return Time::fromYearMonthDay(year, month, day, hour, minute, 0);
}

std::vector<TimeRange> timesOf(const T& type, const TimeRange& range) {
  return TimeSelector(type).intervalSelector->times(range);
}

TEST(TimeSelector, BuiltFromSelectorsLeavesTheRestEmpty) {
  const auto intervals = std::make_shared<const TimeIntervalSource>([](const TimeRange& r) {
    return std::vector<TimeRange>{r, r};
  });
  const TimeSelector selector(intervals);
  EXPECT_EQ(selector.intervalSelector, intervals);
  EXPECT_EQ(selector.labelGenerator, nullptr);
  EXPECT_EQ(selector.styleSelector, nullptr);
  EXPECT_FALSE(selector.style.has_value());
  EXPECT_FALSE(selector.context.has_value());
  const TimeRange r({0, 1, 0}, {0, 2, 0});
  EXPECT_EQ(selector.intervalSelector->times(r), (std::vector<TimeRange>{r, r}));
}

TEST(TimeSelector, FunctionSourcesPassTheirAnswersThrough) {
  const TimeLabelSource noLabel([](const TimeRange&) { return std::nullopt; });
  EXPECT_EQ(noLabel.label(TimeRange()), std::nullopt);
  const TimeLabelSource named([](const TimeRange&) { return std::string("x"); });
  EXPECT_EQ(named.label(TimeRange()), "x");

  const TimeSelector selector(T::days());
  const TimeAreaStyleSource styles([](const TimeRange& interval, const TimeSelector& s) {
    return s.labelGenerator == nullptr && interval.start == Time(0, 1, 0)
               ? std::optional<TimeAreaStyle>(
                     TimeAreaStyle(Color::white(), std::nullopt, std::nullopt))
               : std::nullopt;
  });
  ASSERT_TRUE(styles.style(TimeRange({0, 1, 0}, {0, 2, 0}), selector).has_value());
  EXPECT_FALSE(styles.style(TimeRange({0, 2, 0}, {0, 3, 0}), selector).has_value());
}

TEST(TimeAreaStyle, ConvenienceConstructorLeavesTheOtherFieldsAbsent) {
  const TimeAreaStyle style(Color::redColor(), std::nullopt, std::nullopt);
  EXPECT_EQ(style.backgroundColor, Color::redColor());
  EXPECT_FALSE(style.isBackgroundExtending || style.areBordersExtending || style.borders ||
               style.foregroundColor || style.labelAlignment || style.labelFont ||
               style.verticalLabelAlignment);
}

TEST(TimeSelector, BaseFormatterIsInGmtWithTheGivenLocaleAndFormatsNothing) {
  const DateFormatter formatter = TimeSelector::formatter(Locale("de_DE"));
  EXPECT_EQ(formatter.timeZone(), TimeZone::fromSecondsFromGMT(0));
  EXPECT_EQ(formatter.locale(), Locale("de_DE"));
  EXPECT_EQ(formatter.dateFormat(), "");
  EXPECT_EQ(formatter.string(makeDate(Time(0, 1, 0))), "");
  EXPECT_EQ(TimeSelector::formatter(std::nullopt).locale(), std::nullopt);
  const DateFormatter styled =
      TimeSelector::formatter(DateFormatterStyle::shortStyle, std::nullopt, Locale("en_US"));
  EXPECT_EQ(styled.dateStyle(), DateFormatterStyle::shortStyle);
  EXPECT_EQ(styled.timeStyle(), DateFormatterStyle::none);
}

TEST(TimeSelector, FixedPeriodTypesUseTheContinuousScheduleFromTheReference) {
  const auto weeks = std::dynamic_pointer_cast<const PeriodSelector>(
      TimeSelector(T::weeks(std::nullopt, 1)).intervalSelector);
  ASSERT_NE(weeks, nullptr);
  EXPECT_EQ(weeks->period, 1);
  EXPECT_EQ(weeks->unit, TimeUnit::weeks);
  EXPECT_EQ(weeks->schedule, ScheduleDefinition::continuous());
  EXPECT_EQ(weeks->origin, Time(0, 1, 0));  // Monday 0:00 of week 0

  const auto milliseconds = std::dynamic_pointer_cast<const PeriodSelector>(
      TimeSelector(T::milliseconds(std::nullopt, 500000)).intervalSelector);
  ASSERT_NE(milliseconds, nullptr);
  EXPECT_DOUBLE_EQ(milliseconds->origin.timeOfDay, 0.0005);
}

TEST(TimeSelector, WeeksStartOnTheirWeekday) {
  // Wednesday 6 March 2024; weeks from Monday.
  EXPECT_EQ(timesOf(T::weeks(std::nullopt, kMonday), TimeRange(date(2024, 3, 6), date(2024, 3, 7))),
            (std::vector<TimeRange>{{date(2024, 3, 4), date(2024, 3, 11)}}));
  EXPECT_EQ(timesOf(T::weeks(2, kThursday), TimeRange(date(2024, 3, 6), date(2024, 3, 7))).size(),
            1u);
}

TEST(TimeSelector, SubDailyTypesStartAtTheirOffset) {
  const auto halves = timesOf(T::hours(std::nullopt, 30),
                              TimeRange(date(2024, 3, 6, 10, 0), date(2024, 3, 6, 11, 0)));
  EXPECT_EQ(halves, (std::vector<TimeRange>{{date(2024, 3, 6, 9, 30), date(2024, 3, 6, 10, 30)},
                                            {date(2024, 3, 6, 10, 30), date(2024, 3, 6, 11, 30)}}));
  EXPECT_EQ(timesOf(T::days(std::nullopt, 6), TimeRange(date(2024, 3, 6, 3), date(2024, 3, 6, 4))),
            (std::vector<TimeRange>{{date(2024, 3, 5, 6), date(2024, 3, 6, 6)}}));
}

TEST(TimeSelector, CalendarTypesStartFromJanuary2001) {
  // Months from the 15th.
  const auto monthly = std::dynamic_pointer_cast<const CalendarPeriodSelector>(
      TimeSelector(T::months(std::nullopt, 15)).intervalSelector);
  ASSERT_NE(monthly, nullptr);
  EXPECT_EQ(monthly->origin, date(2001, 1, 15));
  // A start day from 29 on falls back to the 1st.
  const auto late = std::dynamic_pointer_cast<const CalendarPeriodSelector>(
      TimeSelector(T::months(std::nullopt, 30)).intervalSelector);
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(late->origin, date(2001, 1, 1));

  const TimeRange june2015(date(2015, 6, 1), date(2015, 6, 2));
  EXPECT_EQ(timesOf(T::years(std::nullopt, 4), june2015),
            (std::vector<TimeRange>{{date(2015, 4, 1), date(2016, 4, 1)}}));
  EXPECT_EQ(timesOf(T::quarters(std::nullopt, 2), june2015),
            (std::vector<TimeRange>{{date(2015, 5, 1), date(2015, 8, 1)}}));
  EXPECT_EQ(timesOf(T::decades(), june2015),
            (std::vector<TimeRange>{{date(2011, 1, 1), date(2021, 1, 1)}}));
  EXPECT_EQ(timesOf(T::centuries(), june2015),
            (std::vector<TimeRange>{{date(2001, 1, 1), date(2101, 1, 1)}}));
  EXPECT_EQ(timesOf(T::millenia(), june2015),
            (std::vector<TimeRange>{{date(2001, 1, 1), date(3001, 1, 1)}}));
}

TEST(TimeSelector, VisibleTimelineIsTheWholeRequestedRange) {
  const TimeRange r(date(2024, 3, 6, 5), date(2024, 3, 9, 7));
  EXPECT_EQ(timesOf(T::visibleTimeline(), r), (std::vector<TimeRange>{r}));
  const auto enclosed = std::dynamic_pointer_cast<const EnclosedTimeIntervalSelector>(
      TimeSelector(T::visibleTimeline(T::days())).intervalSelector);
  ASSERT_NE(enclosed, nullptr);
  EXPECT_EQ(timesOf(T::visibleTimeline(T::days()), r).front(),
            TimeRange(r.start, date(2024, 3, 7)));
}

TEST(TimeSelector, TimeTypeSelectsTheCurrentMoment) {
  const Time now = date(2024, 3, 6, 12);
  const ScopedClock clock(makeDate(now));
  EXPECT_EQ(timesOf(T::time(), TimeRange(date(2024, 3, 6), date(2024, 3, 7))),
            (std::vector<TimeRange>{{now, now}}));
  EXPECT_TRUE(timesOf(T::time(), TimeRange(date(2024, 3, 7), date(2024, 3, 8))).empty());
  EXPECT_NE(std::dynamic_pointer_cast<const MomentPeriodSelector>(
                TimeSelector(T::time()).intervalSelector),
            nullptr);
}

TEST(TimeSelector, ConstructorsFromATypeLabelAsAsked) {
  const TimeRange march5(date(2024, 3, 5), date(2024, 3, 6));
  EXPECT_EQ(TimeSelector(T::days()).labelGenerator, nullptr);
  EXPECT_EQ(TimeSelector(T::days(), TimeLabelFormat::day(), Locale("en_US"))
                .labelGenerator->label(march5),
            "5");
  EXPECT_EQ(
      TimeSelector(T::days(), std::string("EEEE d"), Locale("de_DE")).labelGenerator->label(march5),
      "Dienstag 5");
  EXPECT_EQ(TimeSelector(T::days(), DateFormatterStyle::shortStyle, std::nullopt, Locale("de_DE"))
                .labelGenerator->label(march5),
            "05.03.24");
  auto shared = std::make_shared<DateFormatter>(TimeSelector::formatter("d", Locale("en_US")));
  EXPECT_EQ(TimeSelector(T::days(), shared, true, "..").labelGenerator->label(march5), "5..5");
  const auto generator = std::make_shared<const TimeLabelSource>(
      [](const TimeRange&) { return std::string("fixed"); });
  const TimeSelector withGenerator(T::days(), generator);
  EXPECT_EQ(withGenerator.labelGenerator, generator);
  EXPECT_EQ(withGenerator.styleSelector, nullptr);
  EXPECT_FALSE(withGenerator.context.has_value());
}

TEST(TimeArea, HoldsWhatTheControllerGaveIt) {
  const TimeSelector selector(T::days());
  const TimeArea area(selector, TimeRange({0, 1, 0}, {0, 2, 0}), std::string("Mon"), std::nullopt,
                      Rectangle(0, 0, 10, 20));
  EXPECT_EQ(area.selector.intervalSelector, selector.intervalSelector);
  EXPECT_EQ(area.label, "Mon");
  EXPECT_EQ(area.bounds.width(), 10);
}

}  // namespace
}  // namespace vorlent
